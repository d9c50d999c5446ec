#!/usr/bin/env bash
# The Linux build's student2.dat after stuledger's round trip (load, sort by age, save), made
# on a virtual display; the other builds' saves are compared with it byte for byte. The
# scripts call it through linux_references (tests/lib/common.sh), which builds stuledger
# first.
# Usage: linux_student2.sh <Linux bin folder> <student2.dat to write>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
linux_bin=$(realpath "$1")
out=$(realpath -m "$2")
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"
# shellcheck source=tests/desktop/stuledger_round_trip.sh
source "$root/tests/desktop/stuledger_round_trip.sh"

scratch=$(mktemp -d)
on_exit rm -rf "$scratch"
start_desktop
linux_save "$linux_bin" "$scratch"
cp "$scratch/linux/student2.dat" "$out"
