#!/usr/bin/env bash
# Runs a test program on a real X display of its own (a fresh Xvfb, where nothing owns the
# clipboard yet). Usage: desktop_test.sh <program> [arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=tests/lib/xvfb.sh
source "$here/../../tests/lib/xvfb.sh"

command -v Xvfb >/dev/null || fail "missing: Xvfb (scripts/test.sh installs it)"

start_xvfb
"$@" -platform xcb
