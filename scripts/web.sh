#!/usr/bin/env bash
# Builds the programs for the browser (WebAssembly) and the course site in
# build-wasm/site/, tests each program in headless Chromium and says what the site's files weigh:
# scripts/web.sh
# The toolkit for the browser is taken from QT_WASM_PREFIX, or unpacked once into .cache/ from
# ../shared/wasm beside this checkout. stuledger's save is held against the Linux build's.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_WEB[@]}"

QT_WASM_PREFIX=$(toolkit_prefix QT_WASM_PREFIX ../shared/wasm/qt6.4.2-wasm.tar.xz qt6-wasm)
export QT_WASM_PREFIX

build_preset wasm
tests/cmake/another_program.sh . wasm
echo "site: build-wasm/site (serve it with: scripts/serve.sh)"

# stuledger's save in the browser is held against the Linux build's, byte for byte; its
# controls are found by the Linux build's layouts.
linux_references build-wasm/linux
# The browser tests' node packages, as the lock file pins them; the system's Chromium.
npm ci --no-audit --no-fund --silent
node tests/browser/browser_test.mjs build-wasm/site build-wasm/screenshots build-wasm/linux

echo "== the site's files as a browser gets them (raw, gzip, brotli)"
megabytes() { awk -v b="$1" 'BEGIN { printf "%.2f MB", b / 1e6 }'; }
for file in build-wasm/site/course.*.wasm build-wasm/site/course.*.js build-wasm/site/fonts/*.ttf; do
    echo "$(basename "$file"): $(megabytes "$(stat -c %s "$file")"), $(megabytes "$(stat -c %s "$file.gz")"), $(megabytes "$(stat -c %s "$file.br")")"
done
