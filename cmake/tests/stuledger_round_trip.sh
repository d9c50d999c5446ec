# stuledger's round trip as a user without a mouse does it, on the display already started
# (scripts/xvfb.sh): 文件 › 打开 (Ctrl+O), 排序 › 年龄 › 升序, 文件 › 保存, by keyboard through
# the menu bar; then waits for student2.dat. Sourced.
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
