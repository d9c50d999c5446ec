#!/usr/bin/env bash
# Runs each fuzz target of the fuzz preset for a while from the committed seeds:
#   fuzz/run.sh [seconds per target, 60 by default] [target...]
# Each works on a copy of its seeds in a temporary folder, so what it finds on the way does
# not grow the committed corpus. A crash, a leak, a hang (10 s on one input), running out of
# memory or a sanitizer report fails the run; the input that did it is kept under
# build-fuzz/findings/<target>/.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 2

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(val fields records)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The targets write their input to a file each run: a memory-backed folder makes that cheap.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1"
export LSAN_OPTIONS="suppressions=$PWD/.ci/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Without a display: the records target links the window layer, though it opens no window.
export QT_QPA_PLATFORM=offscreen

failed=()
for t in "${targets[@]}"; do
    exe="build-fuzz/fuzz/fuzz_$t"
    if [ ! -x "$exe" ]; then
        echo "fuzz: no $exe (cmake --preset fuzz && cmake --build --preset fuzz)" >&2
        exit 2
    fi
    mkdir -p "$work/$t" "build-fuzz/findings/$t"
    cp "fuzz/corpus/$t"/* "$work/$t/"
    echo "== fuzz_$t for ${seconds}s"
    "$exe" "$work/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t/" >"$work/$t.log" 2>&1
    rc=$?
    # The closing figures, and on a finding the report that led to it.
    grep -E '^(stat::|Done |#[0-9]+ +DONE)' "$work/$t.log" || true
    if [ $rc -ne 0 ] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' \
        "$work/$t.log"; then
        tail -n 60 "$work/$t.log"
        echo "fuzz_$t: FAILED (exit $rc); inputs in build-fuzz/findings/$t/" >&2
        failed+=("$t")
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: ${#targets[@]} targets, no findings"
