#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for a few seconds on
# a copy of its seeds; fails when any target finds a crash.
#   scripts/fuzz.sh [TARGET...]        all targets, or the ones named
#   QV_FUZZ_SECONDS=N                  seconds per target (default 3)
#   QV_FUZZ_JOBS=N                     build jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-fuzz
seconds=${QV_FUZZ_SECONDS:-3}

# -O1 without NDEBUG: the core's assertions stay on while fuzzing.
cmake -S . -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
    -DQV_FUZZ=ON -DQV_BUILD_GUI=OFF -DQV_BUILD_BENCH=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$dir" --target qv_fuzz --parallel "${QV_FUZZ_JOBS:-$(nproc)}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in tests/fuzz/Fuzz*.cpp; do
        t=$(basename "$f" .cpp)
        [ "$t" = FuzzSupport ] || targets+=("$t")
    done
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
failed=()
for t in "${targets[@]}"; do
    work=$dir/fuzz-corpus/$t
    out=$dir/fuzz-out/$t
    rm -rf "$work" "$out"
    mkdir -p "$work" "$out"
    # New inputs go to the copy; the committed seeds stay as they are.
    cp -r tests/fuzz/corpus/"$t"/. "$work"/
    [ -d "$dir/fuzz-seeds/$t" ] && cp -r "$dir/fuzz-seeds/$t"/. "$work"/
    if "$dir/bin/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$out/" -print_final_stats=1 "$work" >"$out/log" 2>&1; then
        echo "$t: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$out/log" |
            grep -o '[0-9]*$') runs, no crash"
    else
        echo "$t: FAILED (input and log in $out)"
        tail -n 40 "$out/log"
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -ne 0 ]; then
    echo "fuzz targets that crashed: ${failed[*]}"
    exit 1
fi
