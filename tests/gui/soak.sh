#!/usr/bin/env bash
# Runs the whole window-test suite several times while every core is kept
# busy by other processes, and prints every test that failed: a test that
# fails only now and then shows itself here before CI meets it.
#   tests/gui/soak.sh [RUNS] [BUILD_DIR]    3 runs of build/ by default
#   QV_SOAK_LOAD=N   busy processes besides the tests (default: one per core)
# Exits 0 only when every run passed. The build must exist (./run.sh or
# ./test.sh makes it).
set -u
cd "$(dirname "$0")/../.."
runs=${1:-3}
build=${2:-build}
[ -x "$build/bin/qv_gui_tests" ] || { echo "soak.sh: no $build/bin/qv_gui_tests; build first" >&2; exit 2; }
cores=$(nproc)

busy=()
stop_load() { [ ${#busy[@]} -eq 0 ] || kill "${busy[@]}" 2>/dev/null; wait 2>/dev/null; }
trap stop_load EXIT
for _ in $(seq 1 "${QV_SOAK_LOAD:-$cores}"); do
    sh -c 'while :; do :; done' &
    busy+=($!)
done

log=$(mktemp -d /tmp/qv-soak.XXXXXX)
failures=0
for run in $(seq 1 "$runs"); do
    start=$(date +%s)
    (cd "$build" && ctest -L gui --parallel "$cores" --output-on-failure) >"$log/run$run.log" 2>&1
    failed=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (\(Failed\|Timeout\|SEGFAULT\|Subprocess aborted\|Exception\|Child aborted\|Not Run\)).*/\1 (\2)/p' "$log/run$run.log")
    count=$(printf '%s' "$failed" | grep -c . || true)
    failures=$((failures + count))
    echo "run $run: $count failed in $(($(date +%s) - start)) s (load $(cut -d' ' -f1 /proc/loadavg))"
    [ -z "$failed" ] || printf '  %s\n' "$failed"
done
echo "soak: $runs runs, $failures failures; logs in $log"
[ "$failures" -eq 0 ]
