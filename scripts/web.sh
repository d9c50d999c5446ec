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

if [ -z "${QT_WASM_PREFIX:-}" ]; then
    QT_WASM_PREFIX=$PWD/.cache/qt6-wasm
    if [ ! -f "$QT_WASM_PREFIX/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        archive=../shared/wasm/qt6.4.2-wasm.tar.xz
        [ -f "$archive" ] || {
            echo "No toolkit for the browser: set QT_WASM_PREFIX, or put $archive beside this checkout" >&2
            exit 2
        }
        echo "Unpacking $archive into .cache/"
        rm -rf "$QT_WASM_PREFIX"
        mkdir -p .cache
        tar xf "$archive" -C .cache
    fi
fi
export QT_WASM_PREFIX

cmake --preset default >/dev/null
cmake --build --preset default --target codepage936_table_h
build_preset wasm
echo "site: build-wasm/site (serve it with: python3 -m http.server -d build-wasm/site)"
