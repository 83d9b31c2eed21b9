#!/usr/bin/env bash
# Time from process start to the main window shown, with a settings file on the
# command line (so no splash and no chooser), and the resident memory then.
# Goal: under 0.5 s and under 80 MB. Usage: bench/measure_startup.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
head -c 131072 /dev/zero > "$work/measure.qv"
printf 'Quorvelis' | dd of="$work/measure.qv" conv=notrunc status=none
for run in 1 2 3 4 5; do
    QV_PROFILE="$work/profile.ini" QV_STARTUP_PROBE=1 \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/quorvelis" "$work/measure.qv" |
        grep startup-probe
done
