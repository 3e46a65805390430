#!/bin/sh
# Makes the Debian package from the build and checks what a user gets from
# it without installing it: its name, what it depends on, its files under
# /usr, and the program started by the unpacked launcher far enough to run its
# window and end the orderly way (its settings written at the end).
# usage: package_test.sh BUILD_DIR
set -eu

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
. "$(dirname "$0")/start_program.sh"

(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log" 2>&1) ||
    fail "cpack failed: $(cat "$work/cpack.log")"
arch=$(dpkg --print-architecture)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$work/out/strumvale_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb: $(ls "$work/out")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in fluid-soundfont-gm libqt6widgets6 libfluidsynth3 libasound2 zlib1g libc6; do
    echo "$depends" | grep -q "$needed" || fail "Depends lacks $needed: $depends"
done
dpkg-deb -f "$deb" Description | grep -q 'guitar chord reference' ||
    fail "the description is missing"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for file in usr/bin/strumvale usr/bin/gtrtool usr/bin/strumvale-launch \
    usr/share/strumvale/default.gtr usr/share/strumvale/lang/svenska.lng \
    usr/share/strumvale/readme.html usr/share/applications/strumvale.desktop \
    usr/share/icons/hicolor/scalable/apps/strumvale.svg usr/share/doc/strumvale/copyright \
    usr/share/mime/packages/strumvale.xml usr/share/metainfo/org.strumvale.Strumvale.metainfo.xml; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
grep -q 'GPL-3' "$root/usr/share/doc/strumvale/copyright" || fail "the copyright names no licence"

# The unpacked program, through its launcher, in a user folder of its own.
data="$work/data"
start_program "$root/usr/bin/strumvale-launch" "$data" "$work/run.log"
[ -f "$data/strumvale/default.gtr" ] || fail "the launcher did not find the shipped files"
# A termination request is taken by the window's event loop once it runs;
# the program then ends normally and writes its settings.
kill -TERM $pid
status=0
wait $pid || status=$?
[ $status -eq 0 ] || fail "the program ended with $status: $(cat "$work/run.log")"
[ -f "$data/strumvale/settings.xml" ] || fail "no settings written at the end"

echo "package test passed ($(du -k "$deb" | cut -f1) KiB; Depends: $depends)"
