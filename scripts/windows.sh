#!/usr/bin/env bash
# Builds the programs for Windows with MinGW-w64, makes the students' handout (a ZIP) and
# installer, and in two Wine sessions, an English and a Chinese Windows, runs every test and
# starts each program from the handout and from the installed programs: scripts/windows.sh
# The toolkit for Windows is taken from QT_WINDOWS_PREFIX, or unpacked once into .cache/ from
# ../shared/windows beside this checkout. stuledger's round trip is compared with the Linux
# build's, which is built first.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_WINDOWS[@]}"
# The Chinese session's locale, made before this shell looks at any locale.
generate_locale zh_CN.UTF-8

QT_WINDOWS_PREFIX=$(toolkit_prefix QT_WINDOWS_PREFIX ../shared/windows/qt6.4.2-mingw64.tar.xz qt6-mingw64)
export QT_WINDOWS_PREFIX
build_preset windows
tests/cmake/another_program.sh . windows

# The Linux build's save, which the Windows stuledger's must equal, and its layouts.
linux_references build-windows/linux
rm -rf build-windows/package
cpack --config build-windows/CPackConfig.cmake -B build-windows/package >/dev/null
handout=$(echo build-windows/package/*.zip)
installer=$(echo build-windows/package/*.exe)
echo "handout: $handout, installer: $installer"

# One Wine session: a prefix of the build's own, started in the given locale, its server kept
# while the tests and the handout test run in it.
# Usage: wine_session <prefix> <locale> <the Windows code page it must give> <pictures folder>
wine_session() {
    local prefix=$1 locale=$2 expected=$3 pictures=$4
    (
        export WINEPREFIX=$PWD/$prefix WINEDEBUG=-all LANG=$locale LC_ALL=$locale
        mkdir -p "$WINEPREFIX"
        wine_stop # one left from an earlier run
        wineserver --persistent
        on_exit wine_stop
        # Makes the prefix the first time, and starts the session's system processes here
        # rather than in the first test. Making a prefix now and then fails on its first
        # try, and the registry may not answer at once: each is tried again, and what Wine
        # said is shown when it still fails.
        local log=$WINEPREFIX/../${prefix##*/}-boot.log codepage="" try
        for try in 1 2 3; do
            wineboot >>"$log" 2>&1 &&
                codepage=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' \
                           /v ACP 2>>"$log" | tr -d '\r' | awk '$1 == "ACP" { print $3 }') &&
                [ -n "$codepage" ] && break
            echo "Wine in $locale: try $try did not start (see $log)"
            sleep 2
        done
        [ "$codepage" = "$expected" ] ||
            { tail -n 20 "$log"; fail "Wine started in $locale has code page '$codepage', not $expected"; }
        echo "== Wine session in $locale (Windows code page $codepage): the tests"
        ctest --preset windows -j "$(nproc)"
        echo "== Wine session in $locale: the handout"
        tests/windows/handout_test.sh "$handout" build-windows/programs.json \
            build-windows/linux "$pictures"
        echo "== Wine session in $locale: the installer"
        tests/windows/installer_test.sh "$installer" build-windows/handout/start-menu.txt \
            build-windows/linux "$pictures/installed"
    )
}

# An English Windows, Wine's default; and a Chinese one, as the students have: code page 936
# for the system's texts, Chinese folder names and date and time forms.
wine_session build-windows/wine C.UTF-8 1252 build-windows/screenshots
wine_session build-windows/wine-zh zh_CN.UTF-8 936 build-windows/screenshots-zh
