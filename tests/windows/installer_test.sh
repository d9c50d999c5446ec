#!/usr/bin/env bash
# The students' installer run silently under Wine, as the current user: it installs into that
# user's %LOCALAPPDATA%\Programs\coursework, puts each program into the user's Start menu by its
# Chinese name (a shortcut to the installed .exe, started in the installed folder) and itself
# among the user's installed programs. Each program starts from its shortcut's target in a real
# window, stuledger's round trip there saves what the Linux build saves, and uninstalling takes
# all of it away but the student2.dat the user saved.
# Usage: installer_test.sh <installer.exe> <start-menu.txt> <the Linux build's references>
#                          <pictures folder>
# (start-menu.txt: each program and its shortcut's name, one a line; the Linux build's
# references: linux_references, tests/lib/common.sh.) Wine runs in the WINEPREFIX given.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
installer=$(realpath "$1")
programs=()
names=()
while read -r program name; do
    programs+=("$program")
    names+=("$name")
done <"$2"
references=$(realpath "$3")
pictures=$(realpath -m "$4")
# shellcheck source=tests/lib/xvfb.sh
source "$root/tests/lib/xvfb.sh"
# shellcheck source=tests/desktop/stuledger_round_trip.sh
source "$root/tests/desktop/stuledger_round_trip.sh"
unset WINEPATH
# No launchers for the shortcuts in the Linux desktop's menus.
export WINEDLLOVERRIDES=winemenubuilder.exe=d

scratch=$(mktemp -d)
on_exit rm -rf "$scratch"
on_exit wine_stop

key='Software\Microsoft\Windows\CurrentVersion\Uninstall\coursework'
# A value of a registry key, read from the key's export (UTF-16, so the Chinese survives);
# empty when the key or the value is missing.
reg_value() {
    local file=$scratch/export.reg
    rm -f "$file"
    wine reg export "$1" "$(winepath -w "$file")" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
        sed -n "s/^\"$2\"=\"\(.*\)\"$/\1/p" | sed -e 's/\\"/"/g' -e 's/\\\\/\\/g'
}
registered() { wine reg query "$1\\$key" >/dev/null 2>&1; }
same_path() { [ "${1,,}" = "${2,,}" ]; }

shell_folders='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'
local_appdata=$(reg_value "$shell_folders" 'Local AppData')
start_programs=$(reg_value "$shell_folders" Programs)
if [ -z "$local_appdata" ] || [ -z "$start_programs" ]; then
    fail "Wine names no user's folders"
fi
folder=$(winepath -u "$local_appdata\\Programs\\coursework")
folder=${folder%/}
start_menu=$(winepath -u "$start_programs\\课程示例小程序")
start_menu=${start_menu%/}
uninstaller=$folder/卸载.exe

# Left from an earlier run that failed.
rm -rf "$folder" "$start_menu"
wine reg delete "HKCU\\$key" /f >/dev/null 2>&1 || true

# What an installation gives: the files, the shortcuts, the registry entry, none for all users.
install_and_check() {
    wine "$installer" /S
    for file in "${programs[@]/%/.exe}" student1.dat 说明.txt 卸载.exe Qt6Core.dll \
                platforms/qwindows.dll; do
        [ -f "$folder/$file" ] || fail "the installer put no $file into $folder"
    done
    local i link parts lines
    for i in "${!programs[@]}"; do
        link=$start_menu/${names[i]}.lnk
        [ -f "$link" ] || fail "the Start menu has no ${names[i]}"
        # Its target and working folder, one a line, read from the link itself.
        parts=$(python3 "$root/tests/windows/shortcut.py" "$link") || fail "cannot read $link"
        mapfile -t lines <<<"$parts"
        same_path "${lines[0]}" "$(winepath -w "$folder/${programs[i]}.exe")" ||
            fail "${names[i]} leads to '${lines[0]}', not the installed ${programs[i]}.exe"
        same_path "${lines[1]}" "$(winepath -w "$folder")" ||
            fail "${names[i]} starts in '${lines[1]}', not the installed folder"
    done
    [ -f "$start_menu/卸载课程示例小程序.lnk" ] || fail "the Start menu has no uninstaller"
    [ "$(reg_value "HKCU\\$key" DisplayName)" = 课程示例小程序 ] ||
        fail "the user's installed programs show no 课程示例小程序"
    [ -n "$(reg_value "HKCU\\$key" DisplayVersion)" ] || fail "the entry has no version"
    same_path "$(reg_value "HKCU\\$key" UninstallString)" "\"$(winepath -w "$uninstaller")\"" ||
        fail "the entry's uninstall string is not the installed uninstaller"
    ! registered HKLM || fail "the installer wrote an entry for all users"
}

# Gone: the Start-menu folder and the registry entry.
check_unregistered() {
    [ ! -e "$start_menu" ] || fail "uninstalling left the Start-menu folder"
    ! registered HKCU || fail "uninstalling left the registry entry"
}

# Installed and uninstalled as a user does it: the uninstaller works from a copy of itself and
# returns at once; without a student2.dat, the folder goes.
install_and_check
wine "$uninstaller" /S
for _ in $(seq 100); do
    [ -e "$folder" ] || break
    sleep 0.3
done
[ ! -e "$folder" ] || fail "uninstalling left $(cd "$folder" && find . -mindepth 1 | head -n3 | xargs)"
check_unregistered

# Installed again: each program starts from the installed folder, stuledger saves there.
install_and_check
"$root/tests/desktop/start_each.sh" --out "$pictures" --layouts "$references/layouts.json" \
    --windows "$folder" "${programs[@]}"
start_desktop
same_save_as_linux "$references/student2.dat" "$folder"

# Uninstalled in place (_?=), so it is done when wine returns; in place, the uninstaller cannot
# delete itself. The user's student2.dat stays, and nothing else.
wine "$uninstaller" /S "_?=$(winepath -w "$folder")"
[ -f "$uninstaller" ] || fail "the uninstaller did not run in place"
rm "$uninstaller"
[ -f "$folder/student2.dat" ] || fail "uninstalling took the user's student2.dat"
left=$(cd "$folder" && find . -mindepth 1)
[ "$left" = ./student2.dat ] || fail "uninstalling left $(echo "$left" | head -n3 | xargs) in $folder"
check_unregistered
rm -rf "$folder"
echo "installer: installs for the user into $local_appdata\\Programs\\coursework, each program"
echo "           starts from its shortcut; uninstalling keeps only the user's student2.dat"
