#!/usr/bin/env bash
# Runs atspi_programs.py under a virtual X server with its own session bus, on which the
# accessibility bus and its registry start on demand. Usage: atspi_test.sh <bin folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bindir=$1
# shellcheck source=tests/lib/xvfb.sh
source "$here/../../../tests/lib/xvfb.sh"

for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || fail "missing: $tool (scripts/test.sh installs it)"
done

start_xvfb

dbus-run-session -- /usr/bin/python3 "$here/atspi_programs.py" "$bindir"
