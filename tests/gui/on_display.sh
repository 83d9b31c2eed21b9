#!/usr/bin/env bash
# Runs one window test on a display of its own for as long as it runs:
#   on_display.sh POOL bare|wm COMMAND [ARGS...]
# It takes the first free display of the kind asked for from the pool that
# tests/gui/display_pool.sh started in POOL (a lock held while the command
# runs), waiting for one to come free when every one is taken. Without a
# running pool (a test run by hand) it starts a display of its own and stops
# it afterwards. Exits with the command's status.
set -u
pool=$1 kind=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)

# Listing the tests needs no display.
for arg in "$@"; do
    [ "$arg" = --gtest_list_tests ] && exec "$@"
done

child=
trap '[ -n "$child" ] && kill "$child" 2>/dev/null' TERM INT HUP

run_on() {
    local display=$1
    shift
    # The lock stays with this script, not with the test and what it starts.
    DISPLAY=:$display "$@" {lock}>&- &
    child=$!
    wait "$child"
    local rc=$?
    # A signal ended the wait, not the test: wait for the test itself.
    while kill -0 "$child" 2>/dev/null; do
        wait "$child"
        rc=$?
    done
    return "$rc"
}

alive() {
    local pid
    for pid in $(cat "$1/pids" 2>/dev/null); do
        kill -0 "$pid" 2>/dev/null || return 1
    done
    [ -s "$1/display" ]
}

slots=()
for slot in "$pool/$kind"/*/; do
    [ -s "$slot/display" ] && slots+=("${slot%/}")
done

if ((${#slots[@]})); then
    # Start at a different display per test, so that tests do not all queue
    # for the first one.
    first=$(($$ % ${#slots[@]}))
    while :; do
        for ((k = 0; k < ${#slots[@]}; k++)); do
            slot=${slots[$(((first + k) % ${#slots[@]}))]}
            exec {lock}>"$slot/lock" || continue
            if flock -n "$lock"; then
                if alive "$slot"; then
                    run_on "$(cat "$slot/display")" "$@"
                    exit $?
                fi
                echo "on_display.sh: the display in $slot has gone" >&2
            fi
            exec {lock}>&-
        done
        alive "${slots[0]}" || break
        sleep 0.05
    done
fi

# No pool: a display for this command alone.
own=$(mktemp -d /tmp/qv-display.XXXXXX) || exit 1
trap '"$here/display_pool.sh" stop "$own"; rm -rf "$own"' EXIT
"$here/display_pool.sh" start "$own" 1 >/dev/null || exit 1
lock=
exec {lock}>/dev/null
run_on "$(cat "$own/$kind/1/display")" "$@"
