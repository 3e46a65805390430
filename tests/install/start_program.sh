# Sourced by the install and package tests.
# start_program LAUNCHER DATA_HOME LOG: starts the program through its
# launcher offscreen, without sound hardware, with a runtime folder of its own,
# and returns once it holds its single-instance lock; its process id is then
# in $pid. Fails when it ends or takes too long first. The runtime folder is
# made beside LOG, so it goes with the caller's temporary folder.
start_program() {
    launcher=$1
    data_home=$2
    log=$3
    runtime="$(dirname "$log")/runtime"
    mkdir -m 700 "$runtime"
    XDG_DATA_HOME="$data_home" XDG_RUNTIME_DIR="$runtime" QT_QPA_PLATFORM=offscreen \
        STRUMVALE_AUDIO_DRIVER=file STRUMVALE_AUDIO_FILE=/dev/null \
        "$launcher" >"$log" 2>&1 &
    pid=$!
    tries=0
    until ls "$runtime"/*.lock >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ $tries -lt 400 ] || fail "the program did not start"
        kill -0 $pid 2>/dev/null || fail "the program ended: $(cat "$log")"
        sleep 0.05
    done
}
