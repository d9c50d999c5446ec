#!/usr/bin/env bash
# The pictures of the windows, taken anew: tests/desktop/start_each.sh, which says how.
set -euo pipefail
exec "$(dirname "$0")/../../tests/desktop/start_each.sh" "$@"
