#!/usr/bin/env bash
# Starts each program in a virtual X display under a window manager, so the windows wear their
# title bars, checks that its window shows its caption, does what a user would do first, and
# writes <program>.png. Rerun whenever a window changes:
#   tools/screenshots/run.sh [program...]                      the Linux build, into docs/
#   tools/screenshots/run.sh --windows FOLDER [program...]     FOLDER's .exe under Wine (in the
#                                                              WINEPREFIX given), into docs/windows/
#   tools/screenshots/run.sh --launchers FOLDER [program...]   each started by its launcher in
#                                                              FOLDER, as the desktop starts it
# --out DIR (first) writes the pictures to DIR instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/deps.sh
source tests/lib/xvfb.sh

out=""
windows=""
launchers=""
[ "${1:-}" = --out ] && { out=$2; shift 2; }
[ "${1:-}" = --windows ] && { windows=$(cd "$2" && pwd); shift 2; }
[ "${1:-}" = --launchers ] && { launchers=$(cd "$2" && pwd); shift 2; }
install_missing "${PACKAGES_SCREENSHOTS[@]}"
[ -z "$launchers" ] || install_missing libglib2.0-bin
if [ -z "$windows$launchers" ]; then
    install_missing "${PACKAGES_BUILD[@]}"
    build_preset default >/dev/null
fi
[ -n "$out" ] || out=docs${windows:+/windows}
mkdir -p "$out"

start_xvfb
openbox >/dev/null 2>&1 &
sleep 1

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

programs=("$@")
[ ${#programs[@]} -gt 0 ] || mapfile -t programs <"build${windows:+-windows}/programs.txt"
for program in "${programs[@]}"; do
    if [ -n "$windows" ]; then
        wine "$windows/$program.exe" &
    elif [ -n "$launchers" ]; then
        # gio starts the program apart and returns; the program is then waited for by its window.
        gio launch "$launchers/$program.desktop" &
    else
        build/bin/"$program" &
    fi
    pid=$!
    window=$(find_window "$(caption "$program")") ||
        { echo "$program: no window with its caption" >&2; exit 1; }
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
