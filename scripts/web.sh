#!/usr/bin/env bash
# Builds the seven programs for the browser (WebAssembly) and the course site in
# build-wasm/site/: scripts/web.sh
# The toolkit for the browser is taken from QT_WASM_PREFIX, or unpacked once into .cache/ from
# ../shared/wasm beside this checkout. Code page 936 comes from tables that the Linux build
# makes from its converter, so the Linux build comes first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_WEB[@]}"

QT_WASM_PREFIX=$(toolkit_prefix QT_WASM_PREFIX ../shared/wasm/qt6.4.2-wasm.tar.xz qt6-wasm)
export QT_WASM_PREFIX

cmake --preset default >/dev/null
cmake --build --preset default --target codepage936_table_h
build_preset wasm
echo "site: build-wasm/site (serve it with: python3 -m http.server -d build-wasm/site)"
