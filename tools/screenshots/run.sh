#!/usr/bin/env bash
# Starts each program in a virtual X display under a window manager, so the windows wear their
# title bars, does what a user would do first, and writes docs/<program>.png.
# Rerun whenever a window changes: tools/screenshots/run.sh [program...]
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/deps.sh
source scripts/xvfb.sh
install_missing "${PACKAGES_BUILD[@]}" xvfb openbox imagemagick xdotool x11-utils
build_preset default >/dev/null
mkdir -p docs

start_xvfb
openbox >/dev/null 2>&1 &
sleep 1

# Clicks at a point of the window in logical pixels (a layout's twips divided by 15).
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }

# What the user does before the picture is taken: a few digits, a calculation, a load.
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
[ ${#programs[@]} -gt 0 ] || programs=(stuledger tapkey sigtrail glyphmix pairfactor arrtidy bmi)
for program in "${programs[@]}"; do
    build/bin/"$program" &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
    sleep 1
    act "$program" "$window"
    sleep 0.5
    import -frame -window "$window" "docs/$program.png"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "docs/$program.png"
done
