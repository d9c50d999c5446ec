#!/usr/bin/env bash
# Builds the Debian package and tries it on this machine as a user would: scripts/debian.sh
# The programs are built with Debian's own build flags (hardening included) into
# build-debian/; cpack makes build-debian/package/coursework_<version>_<arch>.deb; the test
# checks it with lintian, installs it with apt, starts each program from its launcher, does
# stuledger's round trip and removes the package again. Installing needs root or sudo.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=scripts/deps.sh
source scripts/deps.sh

install_missing "${PACKAGES_BUILD[@]}" "${PACKAGES_DEBIAN[@]}"
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
cmake --preset debian -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build --preset debian -j"$(nproc)"
# The Linux build's save, which the installed stuledger's must equal, and its layouts.
linux_references build-debian/linux

rm -rf build-debian/package
cpack --config build-debian/CPackConfig.cmake -B build-debian/package >/dev/null
deb=$(echo build-debian/package/*.deb)
echo "package: $deb ($(du -k "$deb" | cut -f1) KB)"
as_root tests/package/debian_package_test.sh "$deb" build-debian/programs.json \
    build-debian/linux build-debian/screenshots
