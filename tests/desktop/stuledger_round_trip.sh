# shellcheck shell=bash
# stuledger's round trip as a user without a mouse does it, on the display already started
# (start_desktop, tests/lib/xvfb.sh): 文件 › 打开 (Ctrl+O), 排序 › 年龄 › 升序, 文件 › 保存, by
# keyboard through the menu bar; then waits for student2.dat. linux_save makes the Linux
# build's, which the other builds' saves are held against (same_save_as_linux for a Windows
# folder's). Sourced, after tests/lib/xvfb.sh.

# sort_and_save <folder the program saves in> <command that starts stuledger...>
sort_and_save() {
    local folder=$1
    shift
    "$@" &
    local pid=$!
    local window
    window=$(find_window '^stuledger练习$') || fail "$* showed no window"
    xdotool windowactivate --sync "$window" key ctrl+o
    sleep 0.5
    xdotool key alt && sleep 0.3 && xdotool key Right Right Down && sleep 0.3
    xdotool key Return && sleep 0.3 && xdotool key Return && sleep 0.5
    xdotool key alt && sleep 0.3 && xdotool key Down && sleep 0.3 && xdotool key Down Return
    for _ in $(seq 50); do
        [ -s "$folder/student2.dat" ] && break
        sleep 0.2
    done
    kill "$pid" 2>/dev/null || true
    # A program under Wine ends with its session; Wine's own processes outlive a kill.
    [ "$1" != wine ] || wine_stop
    wait "$pid" 2>/dev/null || true
    [ -s "$folder/student2.dat" ] || fail "$* saved no student2.dat"
}

# Sorted by age, the youngest comes first: the keys did reach the menus.
# sorted_by_age <student2.dat>
sorted_by_age() {
    head -n1 "$1" | grep -q ',-5' || fail "$1 is not sorted by age"
}

# The Linux build's round trip, in a copy of it under <scratch>/linux: leaves
# <scratch>/linux/student2.dat, which the other builds' saves are held against.
# linux_save <Linux bin folder> <scratch folder>
linux_save() {
    local linux_bin=$1 scratch=$2
    mkdir "$scratch/linux"
    cp "$linux_bin/stuledger" "$linux_bin/student1.dat" "$scratch/linux/"
    sort_and_save "$scratch/linux" "$scratch/linux/stuledger"
    sorted_by_age "$scratch/linux/student2.dat"
}

# The round trip in the Windows stuledger of a folder under Wine, held byte for byte against
# the Linux build's save (linux_references, tests/lib/common.sh).
# same_save_as_linux <the Linux build's student2.dat> <Windows program folder>
same_save_as_linux() {
    local linux_save=$1 folder=$2
    sort_and_save "$folder" wine "$folder/stuledger.exe"
    cmp "$linux_save" "$folder/student2.dat" ||
        fail "the Windows build saved other bytes than the Linux build"
    sorted_by_age "$folder/student2.dat"
}
