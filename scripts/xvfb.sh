# A virtual X display for the window tests and tools: start_xvfb starts Xvfb on a free display,
# exports DISPLAY, and stops the server when the calling script exits. Sourced.

start_xvfb() {
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
    xvfb_pid=$!
    trap stop_xvfb EXIT
    local display
    read -r -t 20 display <&3 || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$display
    unset QT_QPA_PLATFORM
}

# The first visible window whose name matches the pattern, waiting up to a minute for it. The
# search is asked again and again rather than once with --sync: xdotool gives up on an X
# error when a window goes away while it looks (Wine makes and drops windows as it starts).
find_window() {
    local i window
    for i in $(seq 120); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.5
    done
    return 1
}

# Waits for the server to be gone: one still shutting down would remove the socket of the next
# server that took its display number, and that server's clients could not connect.
stop_xvfb() {
    kill "$xvfb_pid" 2>/dev/null || return 0
    local i
    for i in $(seq 100); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 0
        sleep 0.05
    done
}
