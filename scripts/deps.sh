# shellcheck shell=bash
# Installs the Debian packages the project needs that this machine lacks.
# Sourced by every script here; works as root or through sudo. Brings the shared functions of
# tests/lib/common.sh (fail, on_exit, as_root …) with it.
# The PACKAGES_ lists are read by the scripts that source this file, not here:
# shellcheck disable=SC2034
# shellcheck source=tests/lib/common.sh
source "$(dirname "${BASH_SOURCE[0]}")/../tests/lib/common.sh"

PACKAGES_BUILD=(cmake g++ make pkg-config ccache qt6-base-dev qt6-translations-l10n libbenchmark-dev
                fonts-arphic-uming fonts-arphic-ukai)
# The tests also drive real windows through the accessibility bus and check the launchers;
# CI's quick checks hold the code to its form and the shell scripts to shellcheck.
PACKAGES_TEST=(clang-format clang-tidy shellcheck xvfb x11-utils dbus-daemon at-spi2-core python3-pyatspi python3-gi desktop-file-utils appstream)
# The programs' windows on a virtual display: the pictures (tools/screenshots) and the tests
# that start the programs (tests/desktop).
PACKAGES_SCREENSHOTS=(xvfb openbox imagemagick xdotool x11-utils)
# The Windows build (scripts/windows.sh): the cross compiler, Wine to run it, the virtual
# display its windows show on, and the locale data Wine needs to start as a Chinese Windows.
PACKAGES_WINDOWS=(g++-mingw-w64-x86-64-posix wine wine64 locales nsis "${PACKAGES_SCREENSHOTS[@]}")
# The browser build (scripts/web.sh): Debian's Emscripten, the Chromium its tests drive,
# fontTools, which cuts the course's Chinese face down to code page 936, and Pygments, which
# highlights each program's code for its page.
PACKAGES_WEB=(emscripten ninja-build python3-fonttools python3-pygments chromium
              "${PACKAGES_SCREENSHOTS[@]}")
# The Debian package (scripts/debian.sh): Debian's build flags and the tools that make and
# check a package, the AppStream validator, and gio, which starts a program by its launcher.
PACKAGES_DEBIAN=(dpkg-dev lintian appstream desktop-file-utils libglib2.0-bin "${PACKAGES_SCREENSHOTS[@]}")
# The fuzz preset: clang 14 with libFuzzer and the sanitizer runtimes.
PACKAGES_FUZZ=(clang-14 libclang-rt-14-dev)

# The compiler cache serves any checkout of the project (a fresh clone, as CI's, among them):
# paths within the checkout are hashed as relative ones.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

install_missing() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Makes a locale such as zh_CN.UTF-8 when the system has not got it.
generate_locale() {
    local name=$1
    locale -a 2>/dev/null | grep -qix "${name/UTF-8/utf8}" && return 0
    as_root localedef -i "${name%%.*}" -f UTF-8 "$name"
}

# The toolkit built for another system: the prefix in the variable named, when it is set, or
# else the archive beside this checkout, unpacked once into .cache/<folder>. Prints the prefix.
# Usage: prefix=$(toolkit_prefix <variable> <archive> <folder>)
toolkit_prefix() {
    local variable=$1 archive=$2 folder=$3
    if [ -n "${!variable:-}" ]; then
        echo "${!variable}"
        return 0
    fi
    local prefix=$PWD/.cache/$folder
    if [ ! -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        [ -f "$archive" ] || {
            echo "No toolkit: set $variable, or put $archive beside this checkout" >&2
            return 2
        }
        echo "Unpacking $archive into .cache/" >&2
        rm -rf "$prefix"
        mkdir -p .cache
        tar xf "$archive" -C .cache
    fi
    echo "$prefix"
}

build_preset() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j"$(nproc)"
}
