#!/usr/bin/env bash
# The start-up figures: each program's time until its window is shown and its peak memory,
# beside a bare Qt window, on a virtual X display without a window manager.
#   tools/startup/run.sh [--runs N]
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh
# shellcheck source=tests/lib/xvfb.sh
source tests/lib/xvfb.sh
install_missing "${PACKAGES_BUILD[@]}" xvfb python3-xlib
build_preset default >/dev/null

start_xvfb

mapfile -t programs < <(program_names build/programs.json)
# The empty window is the floor; the one with a label shows what the first text costs.
tools/startup/measure.py --floors 2 "$@" build/tools/bare_window "build/tools/bare_window --text" \
    "${programs[@]/#/build/bin/}"
