#!/usr/bin/env bash
# ctest's emulator for the cross-built Windows tests: runs one test program under Wine.
# Usage: wine-test.sh <wine prefix> <toolkit bin folder> <program.exe> [arguments...]
# A WINEPREFIX already set wins over the prefix given, so one build runs in several sessions.
# The results go through a file, since Wine shows ctest nothing of a console program's own
# output.
set -u
export WINEPREFIX=${WINEPREFIX:-$1} WINEDEBUG=-all
toolkit=$2
program=$3
shift 3
winpath() { printf 'Z:%s' "${1//\//\\}"; }
export WINEPATH
WINEPATH=$(winpath "$toolkit")

# Wine keeps the QT_ variables of Linux from Windows programs, and sets QT_X from WINEQT_X.
for name in $(compgen -e | grep '^QT_'); do
    export "WINE$name=${!name}"
done
# On Windows the offscreen platform reads fonts from one folder, not from its subfolders:
# link the fonts of QT_QPA_FONTDIR into one, once.
if [ -n "${QT_QPA_FONTDIR:-}" ]; then
    fonts=$WINEPREFIX-fonts
    if [ ! -d "$fonts" ]; then
        # Made aside and moved in whole: tests running side by side may each make it.
        made=$(mktemp -d "$fonts.XXXXXX")
        find -L "$QT_QPA_FONTDIR" -type f \( -name '*.tt[cf]' -o -name '*.otf' -o -name '*.pf[ab]' \) \
            -exec ln -sf {} "$made/" \;
        mv -T "$made" "$fonts" 2>/dev/null || rm -rf "$made"
    fi
    export WINEQT_QPA_FONTDIR
    WINEQT_QPA_FONTDIR=$(winpath "$fonts")
fi

# Wine's own output goes to a file too: the system processes that the first program of a
# session starts keep whatever they inherit open, and ctest would wait for a pipe until they end.
results=$(mktemp --suffix=.txt)
messages=$(mktemp)
trap 'rm -f "$results" "$messages"' EXIT
wine "$program" "$@" -o "$(winpath "$results"),txt" </dev/null >"$messages" 2>&1
status=$?
cat "$messages" "$results"
exit $status
