# shellcheck shell=bash
# What the tests and scripts/ share: failing, clean-ups at exit, commands as root, the end of a
# Wine session and the Linux build's save that the other builds' are held against. Sourced
# (scripts/deps.sh sources it for every script); sourcing it again changes nothing.

coursework_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

# Ends the test: the message goes to stderr, the exit status is 1.
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Adds a command to what the shell runs as it exits, ahead of what was there: a helper's
# clean-up never takes the place of its caller's. The arguments are taken as they are now. A
# subshell runs none of its parent's, though `trap -p` still shows them there until the
# subshell sets its own; so in a subshell the list starts empty, and the subshell's own
# clean-ups go through on_exit too.
# Usage: on_exit <command> [arguments...]
on_exit() {
    local command previous="" words
    printf -v command '%q ' "$@"
    if [ "$BASHPID" = "$$" ] || [ "${on_exit_shell:-}" = "$BASHPID" ]; then
        eval "words=($(trap -p EXIT))" # trap -- '<command>' EXIT
        previous=${words[2]:-}
    fi
    # A newline, not ";": a trap set before may end in a comment.
    trap -- "$command${previous:+$'\n'$previous}" EXIT
    on_exit_shell=$BASHPID
}

# Runs a command as root: as it is when this is root, else through sudo, which keeps of the
# environment only what is named here (apt's questions, a proxy to the package archive).
# Usage: as_root <command> [arguments...]     (a command, not a shell function)
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
        return
    fi
    local kept=() name
    for name in DEBIAN_FRONTEND DEBCONF_NONINTERACTIVE_SEEN http_proxy https_proxy no_proxy; do
        [ -z "${!name+set}" ] || kept+=("$name=${!name}")
    done
    sudo env "${kept[@]}" "$@"
}

# Ends the Wine session of WINEPREFIX, every program in it with its server, and waits until the
# server is gone: a server still going down would take the next session's programs with it.
wine_stop() {
    wineserver --kill 2>/dev/null || true
    wineserver --wait 2>/dev/null || true
}

# The names of the programs a build built, one a line, in their order.
# Usage: program_names <the build's programs.json>
program_names() {
    python3 -c 'import json, sys
for program in json.load(open(sys.argv[1], encoding="utf-8")):
    print(program["name"])' "$1"
}

# What the Linux build gives the other builds' tests, into a folder: student2.dat, its
# stuledger's save after the round trip (tests/desktop/linux_student2.sh), which the other
# builds' saves must equal byte for byte; and layouts.json, every window by control name
# (tools/layouts), by which they find and click controls. Both are built from this tree first,
# never an older build's. Needs what the round trip needs (an X server, openbox, xdotool).
# Usage: linux_references <folder>
linux_references() {
    local out
    out=$(realpath -m "$1")
    mkdir -p "$out"
    (
        cd "$coursework_root" || exit
        cmake --preset default >/dev/null
        cmake --build --preset default --target stuledger layouts -j"$(nproc)"
        tests/desktop/linux_student2.sh build/bin "$out/student2.dat"
        cp build/layouts.json "$out/layouts.json"
    )
}
