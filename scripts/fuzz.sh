#!/usr/bin/env bash
# Runs each fuzz target (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, built in the checked tree build-asan) for a few
# seconds on a copy of its seeds; fails when any target finds a crash.
#   scripts/fuzz.sh [TARGET...]   all targets, or the ones named
#   QV_FUZZ_SECONDS=N             seconds per target (default 3)
#   QV_FUZZ_PARALLEL=N            targets run at once (default: half the cores, at least 2)
#   QV_FUZZ_BUILT=1               the tree is built already (./test.sh): do not build it
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-asan
[ -n "${QV_FUZZ_BUILT:-}" ] || scripts/build-checked.sh

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in tests/fuzz/Fuzz*.cpp; do
        t=$(basename "$f" .cpp)
        [ "$t" = FuzzSupport ] || targets+=("$t")
    done
fi

# One target: its log, any crashing input and a line saying how it went go
# to build-asan/fuzz-out/TARGET.
run_one() {
    local t=$1 work=$dir/fuzz-corpus/$1 out=$dir/fuzz-out/$1
    rm -rf "$work" "$out"
    mkdir -p "$work" "$out"
    # New inputs go to the copy; the committed seeds stay as they are.
    cp -r tests/fuzz/corpus/"$t"/. "$work"/
    if [ -d "$dir/fuzz-seeds/$t" ]; then cp -r "$dir/fuzz-seeds/$t"/. "$work"/; fi
    if "$dir/bin/$t" -max_total_time="${QV_FUZZ_SECONDS:-3}" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/" -print_final_stats=1 "$work" >"$out/log" 2>&1; then
        local runs
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$out/log")
        echo "$t: $runs runs, no crash" >"$out/result"
    else
        echo "$t: FAILED (crashing input and log in $out)" >"$out/result"
    fi
}
export -f run_one
export dir

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
printf '%s\n' "${targets[@]}" | xargs -P "${QV_FUZZ_PARALLEL:-$(( $(nproc) / 2 > 2 ? $(nproc) / 2 : 2 ))}" -I{} bash -c 'run_one {}'

failed=0
for t in "${targets[@]}"; do
    result=$(cat "$dir/fuzz-out/$t/result" 2>/dev/null || echo "$t: FAILED (it did not run)")
    echo "$result"
    if [[ $result == *FAILED* ]]; then
        tail -n 40 "$dir/fuzz-out/$t/log" 2>/dev/null || true
        failed=1
    fi
done
exit $failed
