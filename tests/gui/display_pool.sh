#!/usr/bin/env bash
# The X displays the window tests run on, started once for a whole test run:
# N bare Xvfb displays and N more, each managed by its own openbox window
# manager, so that CTest can run as many window tests at once as it has jobs.
#   display_pool.sh start DIR [N]   N defaults to QV_DISPLAYS, else the cores
#   display_pool.sh stop DIR
# Each Xvfb picks a free display number itself (-displayfd), so pools started
# side by side never race for one. tests/gui/on_display.sh hands a free
# display of the pool to one test at a time. Starting a pool stops whatever an
# earlier, interrupted run left in DIR.
set -u

die() {
    echo "display_pool.sh: $*" >&2
    exit 1
}

# Waits until a file exists and is not empty, or the process behind it ends;
# about 20 seconds at most (a loaded machine starts X slowly).
await() {
    local file=$1 pid=$2 tries=0
    until [ -s "$file" ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        tries=$((tries + 1))
        [ "$tries" -le 400 ] || return 1
        sleep 0.05
    done
}

# One display in the folder SLOT: its number in SLOT/display, the processes
# in SLOT/pids. Detached (setsid, no inherited output) so that neither CTest's
# wait for the starting test's output nor its end takes the display down.
start_display() {
    local slot=$1 wm=$2
    mkdir -p "$slot"
    : >"$slot/pids"
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
        3>"$slot/display" </dev/null >"$slot/xvfb.log" 2>&1 &
    local xvfb=$!
    echo "$xvfb" >>"$slot/pids"
    await "$slot/display" "$xvfb" || { cat "$slot/xvfb.log" >&2; return 1; }
    [ "$wm" = wm ] || return 0
    # Its own empty configuration folder: nothing of the user's desktop comes in.
    mkdir -p "$slot/config"
    DISPLAY=:$(cat "$slot/display") XDG_CONFIG_HOME=$slot/config \
        setsid openbox --sm-disable --startup "sh -c 'echo up >$slot/up'" \
        </dev/null >"$slot/openbox.log" 2>&1 &
    local openbox=$!
    echo "$openbox" >>"$slot/pids"
    await "$slot/up" "$openbox" || { cat "$slot/openbox.log" >&2; return 1; }
}

stop_pool() {
    local dir=$1 pids
    pids=$(cat "$dir"/*/*/pids 2>/dev/null)
    [ -n "$pids" ] && kill $pids 2>/dev/null
    # Bounded: a display that will not end is killed outright.
    local tries=0
    while [ -n "$pids" ] && kill -0 $pids 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ]; then
            kill -9 $pids 2>/dev/null
            break
        fi
        sleep 0.05
    done
    rm -rf "$dir/bare" "$dir/wm"
}

command=${1:-}
dir=${2:-}
[ -n "$dir" ] || die "usage: display_pool.sh start|stop DIR [N]"
case $command in
start)
    n=${3:-${QV_DISPLAYS:-$(nproc)}}
    stop_pool "$dir"
    mkdir -p "$dir"
    for i in $(seq 1 "$n"); do
        start_display "$dir/bare/$i" bare &
        start_display "$dir/wm/$i" wm &
    done
    wait
    # A display that did not come up leaves its slot without a display number
    # or without openbox's mark; the pool is no good then.
    for i in $(seq 1 "$n"); do
        [ -s "$dir/bare/$i/display" ] && [ -s "$dir/wm/$i/up" ] && continue
        stop_pool "$dir"
        die "the displays did not start"
    done
    echo "display pool in $dir: $n bare displays, $n under openbox"
    ;;
stop)
    stop_pool "$dir"
    ;;
*)
    die "usage: display_pool.sh start|stop DIR [N]"
    ;;
esac
