#!/usr/bin/env bash
# Starts each program in a virtual X display under a window manager, so the windows wear their
# title bars, checks that its window shows its caption, does what a user would do first, and
# writes <program>.png into the pictures folder:
#   start_each.sh --out DIR --bin FOLDER program...         FOLDER/<program>, a Linux build
#   start_each.sh --out DIR --windows FOLDER program...     FOLDER/<program>.exe under Wine (in
#                                                           the WINEPREFIX given)
#   start_each.sh --out DIR --launchers FOLDER program...   each started by its launcher in
#                                                           FOLDER, as the desktop starts it
# What it needs (Xvfb, openbox, xdotool, ImageMagick's import; gio for launchers) is the
# caller's to install; tools/screenshots/run.sh takes the pictures for docs/ with it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"

if [ $# -lt 4 ] || [ "$1" != --out ]; then
    fail "usage: $0 --out DIR --bin|--windows|--launchers FOLDER program..."
fi
out=$2
how=${3#--}
folder=$(cd "$4" && pwd)
shift 4
case $how in
bin | windows | launchers) ;;
*) fail "$0: --$how: not --bin, --windows or --launchers" ;;
esac
[ $# -gt 0 ] || fail "$0: no program named"
mkdir -p "$out"

start_desktop

# Each program's window caption, as a pattern; bmi's is the time of day. A program not named
# here is found by any caption.
caption() {
    case $1 in
    stuledger) echo '^stuledger练习$' ;;
    tapkey | sigtrail) echo '^Form1$' ;;
    glyphmix) echo '^生成字母$' ;;
    pairfactor) echo '^最大公因数$' ;;
    arrtidy) echo '^数组排序$' ;;
    bmi) echo '^[^ ]*[0-9]:[0-9][0-9]:[0-9][0-9]' ;;
    *) echo '.' ;;
    esac
}

# Clicks at a point of the window in logical pixels (a layout's twips divided by 15).
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

# What the user does before the picture is taken: a few digits, a calculation, a load; for a
# program not named here, nothing.
act() {
    local program=$1 window=$2
    case $program in
    stuledger) xdotool windowactivate --sync "$window" key ctrl+o; sleep 0.5 ;;
    tapkey) click "$window" 74 242; click "$window" 178 386; click "$window" 282 242 ;;
    sigtrail) click "$window" 190 20; click "$window" 295 63 ;;
    glyphmix) click "$window" 160 220 ;;
    pairfactor) click "$window" 236 48 ;;
    arrtidy) click "$window" 300 100 ;;
    bmi) click "$window" 308 24 ;;
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
    if ! window=$(find_window "$(caption "$program")"); then
        # Under Wine a start has once shown no window in a minute (in many runs, and never
        # again when run once more): a second start, said, before it counts as a failure.
        [ "$how" = windows ] || fail "$program: no window with its caption"
        echo "$program: no window in a minute; starting it once more" >&2
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        start "$program"
        window=$(find_window "$(caption "$program")") || fail "$program: no window with its caption"
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
