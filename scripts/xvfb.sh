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
