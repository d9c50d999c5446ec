#!/usr/bin/env bash
# A program more, added as a program is added: its folder, and its line in the top-level
# CMakeLists.txt. A scratch copy of the tree with such a program (a name longer than any
# program's so far) is configured with a preset, and everything that presents the programs
# must carry it: the list of programs; on Linux the Debian package's description, the
# program's AppStream component and manual page, and the layouts' list; in the Windows build the handout's note and
# the installer's Start menu; in the browser's build the site. On Linux add_program must also
# refuse a word it does not know.
# Usage: another_program.sh <source tree> <preset: default, windows or wasm>
set -euo pipefail
# shellcheck source=tests/lib/common.sh
source "$(dirname "$0")/../lib/common.sh"
root=$(realpath "$1")
preset=$2
scratch=$(mktemp -d)
[ -n "${KEEP:-}" ] || on_exit rm -rf "$scratch" # KEEP=1 keeps the scratch tree to look at

(cd "$root" && git ls-files -z | tar --null -T - -cf -) | tar -xf - -C "$scratch"
name=anotherprogram1
mkdir "$scratch/$name"
touch "$scratch/$name/form1.cpp"
cp "$root/bmi/bmi.svg" "$scratch/$name/$name.svg"
cat > "$scratch/$name/CMakeLists.txt" <<EOF
add_program($name
    SOURCES form1.cpp
    LAUNCHER_NAME "另一个程序"
    LAUNCHER_COMMENT "只为检查构建而有"
    ENGLISH_NAME "Another Program"
    ENGLISH_SUMMARY "Is there for a check of the build only")
EOF
sed -i "/^set(ALL_PROGRAMS$/a\\    $name" "$scratch/CMakeLists.txt"

configure() { (cd "$scratch" && cmake --preset "$preset" -DBUILD_TESTING=OFF >"$scratch/configure.log" 2>&1); }
configure || { cat "$scratch/configure.log"; fail "the tree with $name does not configure"; }
build=$(find "$scratch" -maxdepth 2 -name programs.json -printf '%h\n' | head -n1)
carries() { # <file> <what>
    grep -qF -- "$2" "$1" || fail "$(basename "$1") does not carry $name's $2"
}
python3 -c 'import json, sys; p = json.load(open(sys.argv[1])); assert sys.argv[2] in [e["name"] for e in p]' \
    "$build/programs.json" "$name" || fail "programs.json does not list $name"
case $preset in
default)
    carries "$build/CPackConfig.cmake" "(另一个程序)"
    carries "$build/$name/local.coursework.$name.metainfo.xml" "只为检查构建而有"
    zcat "$build/$name/$name.1.gz" | grep -qF "Another Program" || fail "no manual page for $name"
    carries "$build/tools/layouts/programs.h" "PROGRAM($name)"
    # A word add_program does not know stops the configuration, and says which.
    sed -i "s/^add_program($name\$/add_program($name COLOUR red/" "$scratch/$name/CMakeLists.txt"
    ! configure || fail "add_program took a word it does not know"
    grep -q "does not know COLOUR" "$scratch/configure.log" || fail "the refusal does not name COLOUR"
    ;;
windows)
    carries "$build/handout/说明.txt" "$name.exe   另一个程序：只为检查构建而有"
    carries "$build/handout/start-menu.txt" "$name 另一个程序"
    ;;
wasm)
    carries "$build/site.json" "\"name\": \"$name\", \"title\": \"另一个程序\""
    ;;
esac
echo "another_program ($preset): ok"
