#!/usr/bin/env bash
# Installs the build into a fresh folder whose name has a blank, Chinese characters and a
# dollar sign, and checks what a desktop finds there: each program in bin/, stuledger's
# sample records under share/, a valid launcher whose command and icon exist, and what a
# software centre shows of it (AppStream), valid and naming that launcher.
# Usage: install_test.sh <build folder> <program>...
set -euo pipefail
build=$1
shift
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/lib/common.sh
source "$root/tests/lib/common.sh"
scratch=$(mktemp -d)
on_exit rm -rf "$scratch"
prefix="$scratch/我的 程序\$HOME"

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in "$@"; do
    [ -x "$prefix/bin/$program" ] || fail "$program is not in bin/"
    launcher="$prefix/share/applications/$program.desktop"
    [ -f "$launcher" ] || fail "$program has no launcher"
    desktop-file-validate "$launcher" || fail "$launcher is not a valid desktop entry"
    # Read the launcher as the desktop reads it.
    /usr/bin/python3 - "$launcher" "$prefix/bin/$program" "$prefix/share/icons" <<'PY' || exit 1
import os, sys
import gi
gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib
launcher, program, icons = sys.argv[1:]
app = Gio.DesktopAppInfo.new_from_filename(launcher)
if app is None:
    sys.exit("FAIL: the desktop cannot read " + launcher)
argv = GLib.shell_parse_argv(app.get_commandline())[1]
if argv != [program]:
    sys.exit("FAIL: %s starts %r, not %r" % (launcher, argv, program))
name = app.get_name()
if not any("\u4e00" <= c <= "\u9fff" for c in name) or os.path.basename(program) not in name:
    sys.exit("FAIL: the launcher's name %r is not Chinese with the program's name" % name)
icon = os.path.join(icons, "hicolor/scalable/apps", app.get_icon().to_string() + ".svg")
if not os.path.isfile(icon):
    sys.exit("FAIL: no icon " + icon)
print("ok   %s: %s" % (os.path.basename(launcher), name))
PY
    metainfo=$(echo "$prefix"/share/metainfo/*."$program".metainfo.xml)
    [ -f "$metainfo" ] || fail "$program has no AppStream metadata"
    grep -q "<launchable type=\"desktop-id\">$program.desktop</launchable>" "$metainfo" ||
        fail "$metainfo does not name $program's launcher"
    # Its pictures, when listed, are docs/<program>.png where the course publishes docs/.
    if grep -q '<image>' "$metainfo"; then
        grep -q "<image>https://.*/$program.png</image>" "$metainfo" ||
            fail "$metainfo lists no picture of docs/"
        [ -f "$root/docs/$program.png" ] || fail "$metainfo lists docs/$program.png, which is not there"
    fi
    appstreamcli validate --no-net --pedantic --no-color "$metainfo" >"$scratch/validate.log" ||
        { cat "$scratch/validate.log"; fail "$metainfo is not valid"; }
done
if [[ " $* " == *" stuledger "* ]]; then
    cmp -s "$prefix/share/coursework/stuledger/student1.dat" "$root/stuledger/student1.dat" ||
        fail "the sample records are not under share/"
    [ ! -e "$prefix/bin/student1.dat" ] || fail "bin/ holds the sample records"
fi
echo "install: ok"
