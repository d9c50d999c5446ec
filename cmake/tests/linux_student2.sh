#!/usr/bin/env bash
# The Linux build's student2.dat after stuledger's round trip (load, sort by age, save), made
# on a virtual display; the other builds' saves are compared with it byte for byte.
# Usage: linux_student2.sh <Linux bin folder> <student2.dat to write>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
linux_bin=$(realpath "$1")
out=$(realpath -m "$2")
source "$root/scripts/xvfb.sh"
source "$root/cmake/tests/stuledger_round_trip.sh"

scratch=$(mktemp -d)
start_xvfb
trap 'stop_xvfb; rm -rf "$scratch"' EXIT
openbox >/dev/null 2>&1 &
sleep 1
cp "$linux_bin/stuledger" "$linux_bin/student1.dat" "$scratch/"
sort_and_save "$scratch" "$scratch/stuledger"
# Sorted by age, the youngest comes first: the keys did reach the menus.
head -n1 "$scratch/student2.dat" | grep -q ',-5' || { echo "FAIL: student2.dat is not sorted"; exit 1; }
cp "$scratch/student2.dat" "$out"
