#!/usr/bin/env bash
# Starts each program in a virtual X display under a window manager, so the windows wear their
# title bars, checks that its window shows its caption, does what a user would do first, and
# writes <program>.png into the pictures folder:
#   start_each.sh --out DIR --layouts FILE --bin FOLDER program...        FOLDER/<program>, a
#                                                                         Linux build
#   start_each.sh --out DIR --layouts FILE --windows FOLDER program...    FOLDER/<program>.exe
#                                                                         under Wine (in the
#                                                                         WINEPREFIX given)
#   start_each.sh --out DIR --layouts FILE --launchers FOLDER program...  each started by its
#                                                                         launcher in FOLDER,
#                                                                         as the desktop does
# FILE is a build's layouts.json (tools/layouts): the captions and the controls clicked are
# found there by name.
# What it needs (Xvfb, openbox, xdotool, ImageMagick's import; gio for launchers) is the
# caller's to install; tools/screenshots/run.sh takes the pictures for docs/ with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"

if [ $# -lt 6 ] || [ "$1" != --out ] || [ "$3" != --layouts ]; then
    fail "usage: $0 --out DIR --layouts FILE --bin|--windows|--launchers FOLDER program..."
fi
out=$2
layouts=$(realpath "$4")
how=${5#--}
folder=$(cd "$6" && pwd)
shift 6
case $how in
bin | windows | launchers) ;;
*) fail "$0: --$how: not --bin, --windows or --launchers" ;;
esac
[ $# -gt 0 ] || fail "$0: no program named"
mkdir -p "$out"

start_desktop

# What the layouts say: "caption <program>", its window's caption as a pattern (any caption
# where a timer may change it, as bmi's clock does, or where the layouts lack the program);
# "at <program> <control>", the middle of the control, or of the window for "-", in logical
# pixels of the client area.
layout() {
    python3 - "$layouts" "$@" <<'EOF'
import json, re, sys
layouts, question, program = sys.argv[1:4]
window = json.load(open(layouts, encoding="utf-8")).get(program)
if question == "caption":
    timers = window and any(c["kind"] == "Timer" for c in window["controls"].values())
    print("^" + re.escape(window["caption"]) + "$" if window and not timers else ".")
else:
    box = window if sys.argv[4] == "-" else window["controls"][sys.argv[4]]
    print(box["x"] + box["width"] // 2, box["y"] + box["height"] // 2)
EOF
}

# Clicks the middle of each control named (the window's for "-"), one after another.
click() {
    local window=$1 program=$2 control x y
    for control in "${@:3}"; do
        read -r x y < <(layout at "$program" "$control")
        xdotool mousemove --window "$window" "$x" "$y" click 1
        sleep 0.3
    done
}

# What the user does before the picture is taken: a few digits, a calculation, a load; for a
# program not named here, nothing.
act() {
    local program=$1 window=$2
    case $program in
    stuledger) xdotool windowactivate --sync "$window" key ctrl+o; sleep 0.5 ;;
    tapkey) click "$window" tapkey Command1 Command8 Command3 ;;
    sigtrail) click "$window" sigtrail Option1 Command1 ;;
    glyphmix) click "$window" glyphmix Command2 ;;
    pairfactor) click "$window" pairfactor Command1 ;;
    arrtidy) click "$window" arrtidy - ;;
    bmi) click "$window" bmi Command1 ;;
    esac
}

# Starts the program in the background; pid is what was started.
start() {
    case $how in
    windows) wine "$folder/$1.exe" & ;;
    # gio starts the program apart and returns; the program is then waited for by its window.
    launchers) gio launch "$folder/$1.desktop" & ;;
    bin) "$folder/$1" & ;;
    esac
    pid=$!
}

for program in "$@"; do
    start "$program"
    caption=$(layout caption "$program")
    if ! window=$(find_window "$caption"); then
        # Under Wine a start has once shown no window in a minute (in many runs, and never
        # again when run once more): a second start, said, before it counts as a failure.
        [ "$how" = windows ] || fail "$program: no window with its caption"
        echo "$program: no window in a minute; starting it once more" >&2
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        start "$program"
        window=$(find_window "$caption") || fail "$program: no window with its caption"
    fi
    sleep 1
    act "$program" "$window"
    sleep 0.5
    import -frame -window "$window" "$out/$program.png"
    # Closed as a user closes it (the window manager's Alt+F4); ended if it stays.
    xdotool windowactivate --sync "$window" key alt+F4
    timeout 10 tail --pid="$pid" -f /dev/null || kill "$pid"
    wait "$pid" 2>/dev/null || true
    for _ in $(seq 50); do
        xdotool getwindowname "$window" >/dev/null 2>&1 || break
        sleep 0.2
    done
    echo "$out/$program.png"
done
