# A virtual X display for the window tests and tools: start_xvfb starts Xvfb on a free display,
# exports DISPLAY, and stops the server when the calling script exits. Sourced.

start_xvfb() {
    exec 3< <(Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp 2>/dev/null)
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    local display
    read -r -t 20 display <&3 || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$display
    unset QT_QPA_PLATFORM
}
