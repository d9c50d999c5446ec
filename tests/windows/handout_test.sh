#!/usr/bin/env bash
# The students' handout as a student gets it: the ZIP unpacked into an empty folder whose name
# has a blank and Chinese characters, each program started from there under Wine in a real
# window (the toolkit's Windows platform on a virtual display), and stuledger's round trip
# (load, sort by age, save) byte for byte against the Linux build doing the same; then a save
# over a read-only student2.dat.
# Usage: handout_test.sh <handout.zip> <programs.json> <the Linux build's references>
#                        <pictures folder>
# (programs.json: the Windows build's list of its programs; the Linux build's references:
# linux_references, tests/lib/common.sh.) Wine runs in the WINEPREFIX given; nothing but
# the unpacked folder provides the libraries.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"
zip=$(realpath "$1")
mapfile -t programs < <(program_names "$2")
references=$(realpath "$3")
pictures=$(realpath -m "$4")
# shellcheck source=tests/desktop/stuledger_round_trip.sh
source "$root/tests/desktop/stuledger_round_trip.sh"
unset WINEPATH

scratch=$(mktemp -d)
on_exit rm -rf "$scratch"
on_exit wine_stop
unpacked="$scratch/课程 程序"
mkdir "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
folder=$(echo "$unpacked"/*/)
for file in "${programs[@]/%/.exe}" student1.dat 说明.txt Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
            platforms/qwindows.dll translations/qtbase_zh_CN.qm; do
    [ -f "$folder/$file" ] || fail "the handout has no $file"
done

# Students get no debug sections: the programs and every library are stripped.
while IFS= read -r -d '' binary; do
    ! x86_64-w64-mingw32-objdump -h "$binary" | grep -q ' \.debug_' ||
        fail "${binary#"$folder"} carries debug sections"
done < <(find "$folder" \( -name '*.exe' -o -name '*.dll' \) -print0)

# Each program starts from the unpacked folder and shows its window with its caption.
"$root/tests/desktop/start_each.sh" --out "$pictures" --layouts "$references/layouts.json" \
    --windows "$folder" "${programs[@]}"

start_desktop

same_save_as_linux "$references/student2.dat" "$folder"

# A student2.dat with the read-only mark (attrib +r) is not replaced: the save shows its
# message box and the file keeps its bytes.
printf 'old\r\n' >"$folder/student2.dat"
wine cmd /c attrib +r "$(winepath -w "$folder/student2.dat")"
wine "$folder/stuledger.exe" &
pid=$!
window=$(find_window '^stuledger练习$') || fail "stuledger showed no window"
xdotool windowactivate --sync "$window" key ctrl+o
sleep 0.5
xdotool key alt && sleep 0.3 && xdotool key Down && sleep 0.3 && xdotool key Down Return
box=$(find_window '^stuledger$') || fail "saving over a read-only file said nothing"
sleep 0.5
import -window "$box" "$pictures/stuledger-read-only.png"
[ "$(cat "$folder/student2.dat")" = $'old\r' ] || fail "the read-only student2.dat was replaced"
kill "$pid" 2>/dev/null || true
wine_stop
wait "$pid" 2>/dev/null || true
echo "handout: every program starts from the unpacked ZIP; stuledger's save equals Linux's;"
echo "         a read-only student2.dat is refused"
