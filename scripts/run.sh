#!/usr/bin/env bash
# Installs what is missing, builds, and starts one program: scripts/run.sh [program]
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

program=${1:-stuledger}
install_missing "${PACKAGES_BUILD[@]}"
build_preset default
if [ ! -x "build/bin/$program" ]; then
    echo "No program '$program'. Built: $(program_names build/programs.json | xargs)" >&2
    exit 2
fi
exec "build/bin/$program"
