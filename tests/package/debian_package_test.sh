#!/usr/bin/env bash
# The Debian package as a user of this machine gets it: checked by lintian, installed with apt,
# each program started from its launcher in a real window on a virtual display, stuledger's
# round trip (load, sort by age, save) in the user's own folder byte for byte against the
# Linux build's, and the package removed with apt, leaving none of its files.
# Usage: debian_package_test.sh <package.deb> <programs.json> <the Linux build's references>
#                               <pictures folder>
# (the Linux build's references: linux_references, tests/lib/common.sh.)
# Needs root (apt installs into the system); removes the package again however it ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"
deb=$(realpath "$1")
mapfile -t programs < <(program_names "$2")
references=$(realpath "$3")
pictures=$(realpath -m "$4")
package=$(dpkg-deb -f "$deb" Package)
# shellcheck source=tests/desktop/stuledger_round_trip.sh
source "$root/tests/desktop/stuledger_round_trip.sh"
export DEBIAN_FRONTEND=noninteractive

scratch=$(mktemp -d)
on_exit rm -rf "$scratch"
# However the test ends, the package goes.
remove_package() { apt-get remove -y -qq "$package" >/dev/null 2>&1 || true; }
on_exit remove_package

# lintian's errors and warnings fail the test; its remarks (I:) are shown.
lintian --fail-on error,warning --display-info "$deb" || fail "lintian finds fault with $deb"

apt-get install -y -qq "$deb" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt could not install $deb"; }
dpkg-query -W -f='${Status}' "$package" | grep -q "install ok installed" || fail "$package is not installed"

# What a desktop shows: each program's launcher, valid, and its program starting from it.
for program in "${programs[@]}"; do
    launcher=/usr/share/applications/$program.desktop
    desktop-file-validate "$launcher" || fail "$launcher is not a valid desktop entry"
    grep -qx "Exec=\"/usr/bin/$program\"" "$launcher" || fail "$launcher does not start /usr/bin/$program"
    [ -f "/usr/share/man/man1/$program.1.gz" ] || fail "$program has no manual page"
done
appstreamcli validate --no-net --no-color /usr/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "the installed AppStream metadata is not valid"
# The pictures, each program started by its launcher as the desktop starts it (gio launch).
HOME=$scratch/home "$root/tests/desktop/start_each.sh" --out "$pictures" \
    --layouts "$references/layouts.json" \
    --launchers /usr/share/applications "${programs[@]}"

if [[ " ${programs[*]} " == *" stuledger "* ]]; then
    start_desktop
    # Installed, it cannot write in /usr/bin: it works in the user's folder, which its first
    # start fills with the sample.
    home=$scratch/user
    own=$home/.local/share/$package/stuledger
    mkdir -p "$home"
    sort_and_save "$own" env -u XDG_DATA_HOME HOME="$home" /usr/bin/stuledger
    cmp "/usr/share/$package/stuledger/student1.dat" "$own/student1.dat" ||
        fail "the user's folder has no copy of the sample"
    cmp "$references/student2.dat" "$own/student2.dat" ||
        fail "the installed stuledger saved other bytes than the Linux build"
    if [ -e /usr/bin/student2.dat ] || [ -e "/usr/share/$package/stuledger/student2.dat" ]; then
        fail "the installed stuledger wrote beside itself"
    fi
    stop_xvfb
fi

# Removed with apt, nothing of the package's is left.
dpkg-deb -c "$deb" | awk '{ print substr($6, 2) }' | grep -v '/$' >"$scratch/files"
apt-get remove -y -qq "$package" >"$scratch/apt.log" 2>&1 ||
    { cat "$scratch/apt.log"; fail "apt could not remove $package"; }
while IFS= read -r file; do
    [ ! -e "$file" ] || fail "$file is still there after apt remove"
done <"$scratch/files"
! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || fail "$package is still installed"
echo "package: lintian clean; installed, each program starts from its launcher; stuledger's"
echo "         save in the user's folder equals Linux's; removed without a trace"
