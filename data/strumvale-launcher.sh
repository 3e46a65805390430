#!/bin/sh
# Starts Strumvale in the user's own folder. The program reads and writes its
# settings, chordfiles and languages relative to the folder it starts in, and
# the installation folder is not writable, so each user gets a copy of the
# shipped files to work in.
set -eu

bindir=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
share="$bindir/@STRUMVALE_SHARE_FROM_BIN@"
home="${XDG_DATA_HOME:-${HOME:?HOME is not set}/.local/share}/strumvale"

mkdir -p "$home/lang"
# Seed only what is missing: the user's edited files always win.
for name in default.gtr readme.html; do
    if [ -e "$share/$name" ] && [ ! -e "$home/$name" ]; then
        cp "$share/$name" "$home/$name"
    fi
done
for language in "$share"/lang/*.lng; do
    [ -e "$language" ] || continue
    if [ ! -e "$home/lang/${language##*/}" ]; then
        cp "$language" "$home/lang/"
    fi
done

# Files named relative to where the launcher was started still name the same
# files once the program runs in its own folder.
for argument in "$@"; do
    case "$argument" in
    /* | -*) ;;
    *) argument="$PWD/$argument" ;;
    esac
    set -- "$@" "$argument"
    shift
done

cd "$home"
exec "$bindir/strumvale" "$@"
