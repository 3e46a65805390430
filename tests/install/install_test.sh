#!/bin/sh
# Installs the build into a temporary prefix and checks what a user gets: the
# shipped files in place, a working gtrtool, and a launcher that seeds a
# per-user folder without ever overwriting the user's own files.
# usage: install_test.sh BUILD_DIR
set -eu

build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
. "$(dirname "$0")/start_program.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/strumvale bin/gtrtool bin/strumvale-launch share/strumvale/default.gtr \
    share/strumvale/lang/svenska.lng share/strumvale/readme.html \
    share/applications/strumvale.desktop share/icons/hicolor/scalable/apps/strumvale.svg \
    share/mime/packages/strumvale.xml share/metainfo/org.strumvale.Strumvale.metainfo.xml; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/strumvale-launch" ] || fail "the launcher is not executable"
grep -q '^Exec=strumvale-launch %F$' "$prefix/share/applications/strumvale.desktop" ||
    fail "the desktop entry does not start the launcher with the files to open"
grep -q '^MimeType=application/x-strumvale-chordfile;text/x-chordpro;$' \
    "$prefix/share/applications/strumvale.desktop" || fail "the desktop entry names no file types"
desktop-file-validate "$prefix/share/applications/strumvale.desktop" >"$work/desktop" 2>&1 ||
    fail "the desktop entry is not valid: $(cat "$work/desktop")"
appstreamcli validate --no-net "$prefix/share/metainfo/org.strumvale.Strumvale.metainfo.xml" \
    >"$work/metainfo" 2>&1 || fail "the metainfo is not valid: $(cat "$work/metainfo")"
# The desktop's own tool reads the types: a chordfile by its name and by its
# bytes (a zip whose first entry is chords.xml), songs by their names.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "the file types do not read"
for glob in 'application/x-strumvale-chordfile:\*.gtr' 'text/x-chordpro:\*.cho' \
    'text/x-chordpro:\*.chopro' 'text/x-chordpro:\*.pro'; do
    grep -q ":$glob\$" "$prefix/share/mime/globs2" || fail "no file type for $glob"
done
grep -q 'chords.xml' "$prefix/share/mime/magic" || fail "a chordfile is not told by its bytes"

"$prefix/bin/gtrtool" info "$prefix/share/strumvale/default.gtr" >"$work/info" ||
    fail "the installed gtrtool cannot read the installed default chordfile"
grep -q 'The Strumvale project' "$work/info" || fail "gtrtool info lacks the author"

# The installed program itself, started by the launcher: it comes up in the
# user's folder (where it finds default.gtr) and holds its single-instance lock.
start_program "$prefix/bin/strumvale-launch" "$work/real-data" "$work/real.log"
[ "$(readlink "/proc/$pid/cwd")" = "$work/real-data/strumvale" ] ||
    fail "the installed program did not start in the user's folder"
[ -f "$work/real-data/strumvale/default.gtr" ] || fail "the program's folder has no default.gtr"
kill $pid
wait $pid 2>/dev/null || true

# A stand-in for the program records where and how it was started.
cat >"$prefix/bin/strumvale" <<'PROGRAM'
#!/bin/sh
pwd >"$STRUMVALE_TEST_RECORD"
for argument in "$@"; do echo "$argument" >>"$STRUMVALE_TEST_RECORD"; done
PROGRAM
chmod +x "$prefix/bin/strumvale"
export STRUMVALE_TEST_RECORD="$work/record"

# Started by a relative path from elsewhere, as a desktop might.
mkdir "$work/elsewhere"
(cd "$prefix" && XDG_DATA_HOME="$work/data" bin/strumvale-launch "Sång ł 🎸.cho" -x /abs/a.gtr) ||
    fail "the launcher failed"
home="$work/data/strumvale"
[ "$(sed -n 1p "$work/record")" = "$home" ] || fail "the program did not start in $home"
# A file named from where the launcher started still names that file.
[ "$(sed -n 2p "$work/record")" = "$prefix/Sång ł 🎸.cho" ] || fail "a relative file was not passed on"
[ "$(sed -n 3p "$work/record")" = "-x" ] || fail "an option was not passed on as it is"
[ "$(sed -n 4p "$work/record")" = "/abs/a.gtr" ] || fail "an absolute file was not passed on"
cmp -s "$home/default.gtr" "$prefix/share/strumvale/default.gtr" || fail "default.gtr not seeded"
cmp -s "$home/lang/svenska.lng" "$prefix/share/strumvale/lang/svenska.lng" ||
    fail "lang/svenska.lng not seeded"
cmp -s "$home/readme.html" "$prefix/share/strumvale/readme.html" || fail "readme.html not seeded"

# The user's edits and own files survive the next start.
echo "my chords" >"$home/default.gtr"
echo "mine" >"$home/lang/svenska.lng"
echo "<Settings/>" >"$home/settings.xml"
rm "$home/readme.html"
XDG_DATA_HOME="$work/data" "$prefix/bin/strumvale-launch" || fail "the second start failed"
[ "$(cat "$home/default.gtr")" = "my chords" ] || fail "the user's default.gtr was overwritten"
[ "$(cat "$home/lang/svenska.lng")" = "mine" ] || fail "the user's language file was overwritten"
[ "$(cat "$home/settings.xml")" = "<Settings/>" ] || fail "the user's settings were touched"
[ -f "$home/readme.html" ] || fail "a missing readme.html is not seeded again"

# Without XDG_DATA_HOME the folder lies under ~/.local/share.
(unset XDG_DATA_HOME && HOME="$work/home" "$prefix/bin/strumvale-launch") ||
    fail "the launcher failed without XDG_DATA_HOME"
[ -f "$work/home/.local/share/strumvale/default.gtr" ] || fail "no folder under ~/.local/share"

echo "install test passed"
