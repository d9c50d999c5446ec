# stuledger's round trip as a user without a mouse does it, on the display already started
# (tests/lib/xvfb.sh): 文件 › 打开 (Ctrl+O), 排序 › 年龄 › 升序, 文件 › 保存, by keyboard through
# the menu bar; then waits for student2.dat. linux_save makes the Linux build's, which
# same_save_as_linux holds a Windows folder's save against. Sourced, after tests/lib/xvfb.sh.
# sort_and_save <folder the program saves in> <command that starts stuledger...>
sort_and_save() {
    local folder=$1
    shift
    "$@" &
    local pid=$!
    local window
    window=$(find_window '^stuledger练习$') || { echo "FAIL: $* showed no window"; exit 1; }
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
    wineserver -k 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [ -s "$folder/student2.dat" ] || { echo "FAIL: $* saved no student2.dat"; exit 1; }
}

# A display of the script's own with a window manager, as the round trip needs. It stops when the
# script exits, besides what the script's EXIT trap already does (start_xvfb alone replaces it).
start_desktop() {
    eval "set -- $(trap -p EXIT)"
    local previous=${3:-}
    start_xvfb
    trap "stop_xvfb; $previous" EXIT
    openbox >/dev/null 2>&1 &
    sleep 1
}

# The Linux build's round trip, in a copy of it under <scratch>/linux: leaves
# <scratch>/linux/student2.dat, which the other builds' saves are held against.
# linux_save <Linux bin folder> <scratch folder>
linux_save() {
    local linux_bin=$1 scratch=$2
    mkdir "$scratch/linux"
    cp "$linux_bin/stuledger" "$linux_bin/student1.dat" "$scratch/linux/"
    sort_and_save "$scratch/linux" "$scratch/linux/stuledger"
    # Sorted by age, the youngest comes first: the keys did reach the menus.
    head -n1 "$scratch/linux/student2.dat" | grep -q ',-5' || { echo "FAIL: student2.dat is not sorted"; exit 1; }
}

# The round trip in the Windows stuledger of a folder under Wine, held byte for byte against
# the Linux build's.
# same_save_as_linux <Linux bin folder> <scratch folder> <Windows program folder>
same_save_as_linux() {
    local linux_bin=$1 scratch=$2 folder=$3
    linux_save "$linux_bin" "$scratch"
    sort_and_save "$folder" wine "$folder/stuledger.exe"
    cmp "$scratch/linux/student2.dat" "$folder/student2.dat" ||
        { echo "FAIL: the Windows build saved other bytes than the Linux build"; exit 1; }
    head -n1 "$folder/student2.dat" | grep -q ',-5' || { echo "FAIL: student2.dat is not sorted"; exit 1; }
}
