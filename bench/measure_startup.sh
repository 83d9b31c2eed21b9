#!/usr/bin/env bash
# Start-up against a bare wxGTK frame (bench/bare_frame.cpp: one frame shown,
# then closed), per language: the program is started with a settings file on
# the command line (no splash, no chooser) and QV_STARTUP_PROBE=1, which closes
# the main window and ends the program as soon as that window is shown. Pairs
# (program, bare frame) run alternately on one Xvfb display started here; each
# run is timed from its start to its exit, and its peak resident memory is
# read from the kernel's accounting of the finished child.
# Goals: at most 1.3x the bare frame's wall time; at most +15 MiB of its peak
# memory in English, +22 MiB in Japanese and Chinese.
# The program tells GTK to leave OpenGL alone (it draws nothing with it); the
# bare frame does not. A third run per pair, the bare frame with GDK_GL=disable,
# gives the like-for-like figures, printed below the table.
# Usage: bench/measure_startup.sh [BUILD_DIR]   (QV_PAIRS=N for other than 9 pairs)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
cd "$top"
pairs=${QV_PAIRS:-9}
cmake --build "$build" --target quorvelis bare_frame >/dev/null
program=$build/bin/quorvelis
bare=$build/bin/bare_frame

work=$(mktemp -d /tmp/qv-startup.XXXXXX)
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# One display for every run; it picks a free number itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" \
    </dev/null >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 400); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
[ -s "$work/display" ] || { echo "measure_startup.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$work/display")

head -c 131072 /dev/zero >"$work/measure.qv"
printf 'Quorvelis' | dd of="$work/measure.qv" conv=notrunc status=none

# Runs a command once; prints "SECONDS PEAK_KB" of that process (start to exit,
# its largest resident set) and keeps its output in $work/out.
run_once() {
    python3 - "$@" <<'EOF'
import os, subprocess, sys, time
with open(os.environ["QV_BENCH_OUT"], "wb") as out:
    start = time.perf_counter()
    child = subprocess.Popen(sys.argv[1:], stdout=out, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    took = time.perf_counter() - start
if status != 0:
    sys.exit("exit status %d: %s" % (status, " ".join(sys.argv[1:])))
print("%.4f %d" % (took, usage.ru_maxrss))
EOF
}
export QV_BENCH_OUT=$work/out

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

printf '%-9s %-22s %-22s %-26s %s\n' language "program (s, MiB)" "bare frame (s, MiB)" \
    "time (goal at most 1.3x)" "memory (goal)"
for language in English Japanese Chinese_s; do
    case $language in
    English) memory_goal=15 ;;
    *) memory_goal=22 ;;
    esac
    : >"$work/program" && : >"$work/bare" && : >"$work/bare_nogl"
    for _ in $(seq "$pairs"); do
        # A fresh profile each run: the window opens maximised, as the first time.
        printf '[Software/Zorvek\\ Control/Quorvelis/Settings]\nLanguage=%s\n' "$language" \
            >"$work/profile.ini"
        QV_PROFILE=$work/profile.ini QV_STARTUP_PROBE=1 \
            run_once "$program" "$work/measure.qv" >>"$work/program"
        grep -q '^startup-probe title="measure.qv' "$work/out" || {
            echo "measure_startup.sh: the program did not reach its main window" >&2
            exit 1
        }
        run_once "$bare" >>"$work/bare"
        GDK_GL=disable run_once "$bare" >>"$work/bare_nogl"
    done
    p_s=$(cut -d' ' -f1 "$work/program" | median)
    p_kb=$(cut -d' ' -f2 "$work/program" | median)
    b_s=$(cut -d' ' -f1 "$work/bare" | median)
    b_kb=$(cut -d' ' -f2 "$work/bare" | median)
    n_s=$(cut -d' ' -f1 "$work/bare_nogl" | median)
    n_kb=$(cut -d' ' -f2 "$work/bare_nogl" | median)
    printf '%s %s %s %s %s\n' "$language" "$p_s" "$p_kb" "$n_s" "$n_kb" >>"$work/like_for_like"
    awk -v l="$language" -v ps="$p_s" -v pk="$p_kb" -v bs="$b_s" -v bk="$b_kb" -v g="$memory_goal" '
        BEGIN {
            ratio = ps / bs; extra = (pk - bk) / 1024
            printf "%-9s %6.3f s %7.1f MiB   %6.3f s %7.1f MiB   %5.2fx  %-16s  %+6.1f MiB (goal at most +%d MiB) %s\n",
                l, ps, pk / 1024, bs, bk / 1024, ratio, ratio <= 1.3 ? "met" : "NOT MET",
                extra, g, extra <= g ? "met" : "NOT MET"
        }'
done
echo "median of $pairs pairs per language; load: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "like for like, the bare frame also without OpenGL:"
awk '{ printf "%-9s %6.3f s %7.1f MiB   %6.3f s %7.1f MiB   %5.2fx            %+6.1f MiB\n",
           $1, $2, $3 / 1024, $4, $5 / 1024, $2 / $4, ($3 - $5) / 1024 }' "$work/like_for_like"
