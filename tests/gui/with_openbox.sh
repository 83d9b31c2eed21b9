#!/bin/sh
# Runs a command on a fresh Xvfb display that the openbox window manager
# manages, so the windows meet focus and stacking as on a desktop:
#   with_openbox.sh COMMAND [ARGS...]
# Ends openbox afterwards and exits with the command's status.
set -u
if [ -z "${QV_OPENBOX_DISPLAY:-}" ]; then
    QV_OPENBOX_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

state=$(mktemp -d /tmp/qv-openbox.XXXXXX) || exit 1
# Its own empty configuration folder: nothing of the user's desktop comes in.
XDG_CONFIG_HOME=$state openbox --sm-disable --startup "touch $state/up" \
    >"$state/log" 2>&1 &
wm=$!
tries=0
while [ ! -e "$state/up" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$wm" 2>/dev/null; then
        echo "with_openbox.sh: openbox did not start" >&2
        cat "$state/log" >&2
        kill "$wm" 2>/dev/null
        rm -rf "$state"
        exit 1
    fi
    sleep 0.05
done

"$@"
rc=$?
kill "$wm" 2>/dev/null
wait "$wm" 2>/dev/null
rm -rf "$state"
exit "$rc"
