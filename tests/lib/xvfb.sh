# shellcheck shell=bash
# A virtual X display for the window tests and tools: start_xvfb starts Xvfb on a free display,
# exports DISPLAY, and stops the server when the calling script exits; start_desktop adds a
# window manager. Sourced.
# shellcheck source=tests/lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

start_xvfb() {
    local attempt display
    xvfb_log=$(mktemp)
    on_exit stop_xvfb
    for attempt in 1 2 3; do
        # -noreset: by default the server resets when its last client leaves, and refuses
        # the connections that come meanwhile. xdpyinfo below and the accessibility bus's
        # launcher each leave at once, and a program starting then could not connect.
        exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$xvfb_log")
        xvfb_pid=$!
        display=
        # The server says its number once it listens; a client's connection proves it.
        if read -r -t 20 display <&3 && DISPLAY=:$display xdpyinfo >/dev/null 2>&1; then
            export DISPLAY=:$display
            unset QT_QPA_PLATFORM
            return 0
        fi
        echo "Xvfb did not start or did not answer on :$display (try $attempt of 3):" >&2
        cat "$xvfb_log" >&2
        stop_xvfb
    done
    return 1
}

# A display of the script's own with a window manager, so that windows wear their title bars
# and take the keys as on a desktop.
start_desktop() {
    start_xvfb
    openbox >/dev/null 2>&1 &
    sleep 1
}

# The first visible window whose name matches the pattern, waiting up to a minute for it. The
# search is asked again and again rather than once with --sync: xdotool gives up on an X
# error when a window goes away while it looks (Wine makes and drops windows as it starts).
find_window() {
    local window
    for _ in $(seq 120); do
        window=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$window" ] && { echo "$window"; return 0; }
        sleep 0.5
    done
    return 1
}

# Waits for the server to be gone: one still shutting down would remove the socket of the next
# server that took its display number, and that server's clients could not connect.
stop_xvfb() {
    rm -f "$xvfb_log"
    kill "$xvfb_pid" 2>/dev/null || return 0
    for _ in $(seq 100); do
        kill -0 "$xvfb_pid" 2>/dev/null || return 0
        sleep 0.05
    done
}
