#!/usr/bin/env bash
# Builds Quilo and runs it against the local station, which is started beside it and stopped
# when the program ends. Without a desktop (neither DISPLAY nor WAYLAND_DISPLAY) the program runs
# on a private X display (tools/with-wayland.sh tools/run.sh runs it on a private Wayland one);
# without a sound server (nothing answers "pactl info") it plays into a private PulseAudio with a
# null sink, stopped again when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No DISPLAY: running on a private X display (see it with: DISPLAY=:N import -window root shot.png)."
    exec tools/with-display.sh tools/run.sh "$@"
fi

pids=()
pulse_dir=""
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    if [ -n "$pulse_dir" ]; then rm -rf "$pulse_dir"; fi
}
trap cleanup EXIT

if ! pactl info >/dev/null 2>&1; then
    pulse_dir=$(mktemp -d "${TMPDIR:-/tmp}/quilo-pulse.XXXXXX")
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm \
        --load="module-null-sink sink_name=quilo" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/native" \
        >"$pulse_dir/server.log" 2>&1 &
    pids+=($!)
    export PULSE_SERVER="unix:$pulse_dir/native"
    for _ in $(seq 1 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    if pactl info >/dev/null 2>&1; then
        echo "No sound server: playing into a private PulseAudio with a null sink."
    else
        echo "No sound server, and a private one did not start:" >&2
        cat "$pulse_dir/server.log" >&2
    fi
fi

# the station prints "ready" once its sites listen and both streams serve
coproc STATION { exec build/quilo-station --exit-with-parent; }
pids+=("$STATION_PID")
while read -r -t 60 line <&"${STATION[0]}"; do
    [ "$line" = "ready" ] && break
done
echo "The local station runs (demo ID: demo, password: quilo2007); starting Quilo."
build/quilo "$@"
