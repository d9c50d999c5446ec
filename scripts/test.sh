#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (headless): scripts/test.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_TEST[@]}"
build_preset default
ctest --preset default -j "$(nproc)"
