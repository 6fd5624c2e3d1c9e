#!/usr/bin/env bash
# Runs a command on a private X display: Xvfb, the openbox window manager and a trayer tray host,
# all stopped again when the command ends. The command's exit status is returned.
#   tools/with-display.sh COMMAND [ARGS...]
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/quilo-display.XXXXXX")
pids=()
cleanup() {
    # the last started goes first, and a keeper before what it keeps (which it would otherwise
    # start again): the X server goes last
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        children=$(pgrep -P "$pid" || true)
        kill "$pid" 2>/dev/null || true
        [ -z "$children" ] || kill $children 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to the pipe once it accepts clients
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
read -r -t 30 -u "$displayfd" number || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
# the tray host is part of the desktop the tests stand on: should it end, it says why (its last
# lines) and comes back, so one lost host does not fail every test after it
(
    set +e
    while true; do
        trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
            >"$work/trayer.log" 2>&1
        echo "with-display.sh: the tray host ended ($?), starting it again; it said:" >&2
        tail -n 5 "$work/trayer.log" >&2
        read -r -t 0.5 -u "$displayfd" _ || true
    done
) &
pids+=($!)

# wait until the window manager owns the screen, so the first test window is managed
for _ in $(seq 1 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then break; fi
    read -r -t 0.1 -u "$displayfd" _ || true
done

set +e
"$@"
status=$?
set -e
exit $status
