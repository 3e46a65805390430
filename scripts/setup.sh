#!/usr/bin/env bash
# Prepares a Debian machine and builds the project, then runs the program
# ("run") or the whole test suite ("test"). Safe to repeat: it installs only
# what is missing and rebuilds only what changed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=${1:-run}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        return 1
    fi
}

install_missing_packages() {
    local wanted=() missing=() pkg
    mapfile -t wanted < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' "$root/packages.txt")
    for pkg in "${wanted[@]}"; do
        pkg=${pkg//[[:space:]]/}
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq ||
        ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
            --no-install-recommends "${missing[@]}" >/dev/null; then
        echo "Could not install the packages above: this needs root or sudo." >&2
        echo "Install them as root, then run this script again:" >&2
        echo "    apt-get install ${missing[*]}" >&2
        exit 1
    fi
}

# configure DIR [cmake options...]: every time, so that an option changed here
# reaches a folder configured before, even one configured by hand (cmake keeps
# the rest of its cache). The build type comes first so that an option given
# later can replace it.
configure() {
    local dir=$1
    shift
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
}

# build DIR [TARGET...]: prints the compiler's output only when the build fails
build() {
    local dir=$1 log targets=()
    shift
    [ $# -gt 0 ] && targets=(--target "$@")
    log=$(mktemp)
    if ! cmake --build "$dir" -j "$jobs" "${targets[@]}" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        exit 1
    fi
    rm -f "$log"
}

install_missing_packages
# The project's own checks make warnings errors; a fresh folder built to run
# only warns, so a newer or older compiler never stops a user. (Running after
# testing keeps the folder as the tests left it, rather than rebuild it all.)
if [ "$mode" = test ] || [ "$mode" = ci ]; then
    configure "$root/build" -DSTRUMVALE_WERROR=ON
else
    configure "$root/build"
fi
build "$root/build"

# The other configurations CI checks beyond the test suite.
ci_stages() {
    # Memory and undefined-behaviour errors, in the core and in the windows.
    configure "$root/build-asan" -DSTRUMVALE_WERROR=ON -DSTRUMVALE_SANITIZE=address,undefined \
        -DSTRUMVALE_BENCHMARKS=OFF -DSTRUMVALE_UI=ON
    build "$root/build-asan"
    (cd "$root/build-asan" && ctest --output-on-failure -j "$jobs" -L 'core|ui')

    # Data races in the threaded code, and where its threads report to the window.
    configure "$root/build-tsan" -DSTRUMVALE_WERROR=ON -DSTRUMVALE_SANITIZE=thread \
        -DSTRUMVALE_BENCHMARKS=OFF -DSTRUMVALE_UI=ON
    build "$root/build-tsan" sound_tests app_tests pages_tests songs_tests practice_tests
    (cd "$root/build-tsan" && ctest --output-on-failure -j "$jobs" -L threads --no-tests=ignore)

    # Short fuzz runs over every reader of bytes.
    CC=clang CXX=clang++ configure "$root/build-fuzz" -DSTRUMVALE_WERROR=ON -DSTRUMVALE_FUZZ=ON \
        -DSTRUMVALE_BENCHMARKS=OFF
    build "$root/build-fuzz"
    (cd "$root/build-fuzz" && ctest --output-on-failure -j "$jobs" -L fuzz --no-tests=ignore)

    # Other compilers and optimisers warn about other things: the optimised
    # release build with g++, and the core, tools and tests with clang.
    configure "$root/build-release" -DSTRUMVALE_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
        -DSTRUMVALE_TESTS=OFF
    build "$root/build-release"
    CC=clang CXX=clang++ configure "$root/build-clang" -DSTRUMVALE_WERROR=ON \
        -DCMAKE_BUILD_TYPE=Debug -DSTRUMVALE_UI=OFF -DSTRUMVALE_BENCHMARKS=OFF
    build "$root/build-clang"
    (cd "$root/build-clang" && ctest --output-on-failure -j "$jobs" -L core)
}

case "$mode" in
run)
    cd "$root/build/stage"
    if [ -x ./strumvale ]; then
        exec ./strumvale "$@"
    fi
    # No window yet: the command-line companion is what there is to run.
    if [ $# -eq 0 ]; then
        if [ -f default.gtr ]; then set -- info default.gtr; else set -- --help; fi
    fi
    exec ./gtrtool "$@"
    ;;
test)
    (cd "$root/build" && ctest --output-on-failure -j "$jobs")
    echo "All tests passed."
    ;;
ci)
    (cd "$root/build" && ctest --output-on-failure -j "$jobs")
    ci_stages
    echo "All tests passed, in every configuration."
    ;;
*)
    echo "usage: $0 [run [ARGS...] | test | ci]" >&2
    exit 3
    ;;
esac
