#!/usr/bin/env bash
# How long the test suite takes, printed beside its goals:
#   warm   ./test.sh in a fresh clone in another folder, compiler cache warm,
#          every core (goal: 8 minutes on 8 cores)
#   cold   the same with an empty compiler cache, held to two cores with
#          taskset -c 0,1 (goal: 30 minutes)
#   ctest  the normal tree's CTest run on every core, the tree built (goal: 3 minutes)
#   soak   tests/gui/soak.sh: 3 runs of the window tests with every core busy
#          (goal: 0 failures)
# Usage: bench/measure_tests.sh [warm|cold|ctest|soak]...   (all four by default)
# The clones are made from the committed HEAD; what their runs print goes to
# a log whose path is printed. Nothing here is a test: it only measures.
set -uo pipefail
cd "$(dirname "$0")/.."
top=$PWD
what=("$@")
[ ${#what[@]} -gt 0 ] || what=(ctest soak warm cold)
logs=$(mktemp -d /tmp/qv-measure.XXXXXX)
cores=$(nproc)

figure() { printf '%-62s %8s   goal %s\n' "$1" "$2" "$3"; }
minutes() { awk -v s="$1" 'BEGIN { printf "%d:%02d", s / 60, s % 60 }'; }

# Runs ./test.sh in a fresh clone of HEAD; prints the seconds it took, or
# "failed". Extra arguments go before ./test.sh (taskset, env).
clone_run() {
    local name=$1
    shift
    local dir
    dir=$(mktemp -d /tmp/qv-clone.XXXXXX)
    git clone -q "$top" "$dir/quorvelis"
    local start=$SECONDS rc=0
    (cd "$dir/quorvelis" && "$@" ./test.sh) >"$logs/$name.log" 2>&1 || rc=$?
    local took=$((SECONDS - start))
    rm -rf "$dir"
    if [ "$rc" -eq 0 ]; then echo "$took"; else echo failed; fi
}

for w in "${what[@]}"; do
    case $w in
    ctest)
        scripts/build.sh build >"$logs/ctest-build.log" 2>&1 || { echo "build failed: $logs/ctest-build.log"; exit 1; }
        start=$SECONDS
        (cd build && ctest --parallel "$cores") >"$logs/ctest.log" 2>&1
        rc=$?
        took=$((SECONDS - start))
        figure "CTest run of build/, $cores cores$([ $rc -eq 0 ] || echo ', FAILED')" "$(minutes $took)" "3:00"
        ;;
    soak)
        scripts/build.sh build >"$logs/soak-build.log" 2>&1 || { echo "build failed: $logs/soak-build.log"; exit 1; }
        tests/gui/soak.sh 3 >"$logs/soak.log" 2>&1
        failures=$(sed -n 's/^soak: [0-9]* runs, \([0-9]*\) failures.*/\1/p' "$logs/soak.log")
        figure "window tests, 3 runs with every core busy: failures" "${failures:-?}" "0"
        ;;
    warm)
        # The cache holds what this checkout built; a first clone fills in
        # whatever it lacked, the second is the one measured.
        clone_run warm-fill env >/dev/null
        took=$(clone_run warm env)
        [ "$took" = failed ] && shown=failed || shown=$(minutes "$took")
        figure "./test.sh, fresh clone, warm compiler cache, $cores cores" "$shown" "8:00"
        ;;
    cold)
        cache=$(mktemp -d /tmp/qv-ccache.XXXXXX)
        took=$(clone_run cold env CCACHE_DIR="$cache" taskset -c 0,1)
        rm -rf "$cache"
        [ "$took" = failed ] && shown=failed || shown=$(minutes "$took")
        figure "./test.sh, fresh clone, empty compiler cache, 2 cores" "$shown" "30:00"
        ;;
    *)
        echo "usage: bench/measure_tests.sh [warm|cold|ctest|soak]..." >&2
        exit 2
        ;;
    esac
done
echo "logs in $logs"
