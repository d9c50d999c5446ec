#!/usr/bin/env bash
# The pictures of the windows, each after what a user does first (tests/desktop/start_each.sh).
# Rerun whenever a window changes, with --docs to put them where docs/programs.md shows them:
#   tools/screenshots/run.sh [--docs] [program...]                   the Linux build, built
#                                                                    first, into build/screenshots/
#                                                                    (--docs: docs/)
#   tools/screenshots/run.sh [--docs] --windows FOLDER [program...]  FOLDER's .exe under Wine (in
#                                                                    the WINEPREFIX given), into
#                                                                    build-windows/screenshots/
#                                                                    (--docs: docs/windows/)
# --out DIR (first) writes the pictures to DIR instead. Without programs named, every program
# the build lists.
set -euo pipefail
cd "$(dirname "$0")/../.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

out=""
docs=""
windows=""
[ "${1:-}" = --out ] && { out=$2; shift 2; }
[ "${1:-}" = --docs ] && { docs=yes; shift; }
[ "${1:-}" = --windows ] && { windows=$(cd "$2" && pwd); shift 2; }
install_missing "${PACKAGES_SCREENSHOTS[@]}" "${PACKAGES_BUILD[@]}"
# The controls clicked are found by the Linux build's layouts, for the Windows programs too.
if [ -z "$windows" ]; then
    build_preset default >/dev/null
else
    cmake --preset default >/dev/null
    cmake --build --preset default --target layouts >/dev/null
fi
if [ -z "$out" ] && [ -n "$docs" ]; then
    out=docs${windows:+/windows}
elif [ -z "$out" ]; then
    out=build${windows:+-windows}/screenshots
fi

programs=("$@")
[ ${#programs[@]} -gt 0 ] || mapfile -t programs < <(program_names "build${windows:+-windows}/programs.json")
if [ -n "$windows" ]; then
    tests/desktop/start_each.sh --out "$out" --layouts build/layouts.json --windows "$windows" \
        "${programs[@]}"
else
    tests/desktop/start_each.sh --out "$out" --layouts build/layouts.json --bin build/bin \
        "${programs[@]}"
fi
