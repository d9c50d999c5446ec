#!/usr/bin/env bash
# Builds the seven programs for Windows with MinGW-w64, runs every test under Wine, makes the
# students' handout (a ZIP) and starts each program from it under Wine: scripts/windows.sh
# The toolkit for Windows is taken from QT_WINDOWS_PREFIX, or unpacked once into .cache/ from
# ../shared/windows beside this checkout. stuledger's round trip is compared with the Linux
# build, which scripts/test.sh makes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_WINDOWS[@]}"

if [ -z "${QT_WINDOWS_PREFIX:-}" ]; then
    QT_WINDOWS_PREFIX=$PWD/.cache/qt6-mingw64
    if [ ! -f "$QT_WINDOWS_PREFIX/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        archive=../shared/windows/qt6.4.2-mingw64.tar.xz
        [ -f "$archive" ] || {
            echo "No toolkit for Windows: set QT_WINDOWS_PREFIX, or put $archive beside this checkout" >&2
            exit 2
        }
        echo "Unpacking $archive into .cache/"
        rm -rf "$QT_WINDOWS_PREFIX"
        mkdir -p .cache
        tar xf "$archive" -C .cache
    fi
fi
export QT_WINDOWS_PREFIX
build_preset windows

# One Wine session for all that follows: a prefix of the build's own, and its server kept.
export WINEPREFIX=$PWD/build-windows/wine WINEDEBUG=-all
mkdir -p "$WINEPREFIX"
wineserver --kill 2>/dev/null || true # one left from an earlier run
wineserver --wait 2>/dev/null || true
wineserver --persistent
trap 'wineserver --kill 2>/dev/null || true' EXIT
# Makes the prefix the first time, and starts the session's system processes here rather
# than in the first test.
wineboot >/dev/null 2>&1

echo "== the tests, under Wine"
ctest --preset windows

echo "== the handout"
rm -rf build-windows/package
cpack --config build-windows/CPackConfig.cmake -B build-windows/package >/dev/null
handout=$(echo build-windows/package/*.zip)
echo "$handout"
[ -x build/bin/stuledger ] || build_preset default
cmake/tests/windows_handout_test.sh "$handout" build/bin build-windows/screenshots
