#!/usr/bin/env bash
# Runs a command in a private Wayland session: a headless Weston (software renderer, no X11 at
# all), stopped again when the command ends. Qt programs started by the command use their Wayland
# platform. The command's exit status is returned.
#   tools/with-wayland.sh COMMAND [ARGS...]
set -euo pipefail

work=$(mktemp -d "${TMPDIR:-/tmp}/quilo-wayland.XXXXXX")
chmod 700 "$work"
weston_pid=""
cleanup() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work"
# --debug lets weston-screenshooter take pictures of the whole output
weston --backend=headless-backend.so --use-pixman --width=1280 --height=1024 --socket=quilo \
    --idle-time=0 --debug >"$work/weston.log" 2>&1 &
weston_pid=$!

# the socket appears once the compositor accepts clients
exec {pause}<> <(:)
for _ in $(seq 1 100); do
    [ -S "$work/quilo" ] && break
    read -r -t 0.1 -u "$pause" _ || true
done
if [ ! -S "$work/quilo" ]; then
    echo "Weston did not start:" >&2
    cat "$work/weston.log" >&2
    exit 1
fi

# by its full path, so a command that moves XDG_RUNTIME_DIR still finds the compositor
export WAYLAND_DISPLAY="$work/quilo" QT_QPA_PLATFORM=wayland
unset DISPLAY

set +e
"$@"
status=$?
set -e
exit $status
