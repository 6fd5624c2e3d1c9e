#!/usr/bin/env bash
# Builds Quilo and runs it against the local station, which is started beside it and stopped
# when the program ends. Without a desktop (no DISPLAY) the program runs on a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: running on a private X display (screenshots: DISPLAY=... import -window root)."
    exec tools/with-display.sh tools/run.sh
fi

station_pid=""
if [ -x build/quilo-station ]; then
    build/quilo-station &
    station_pid=$!
    trap 'kill "$station_pid" 2>/dev/null || true; wait "$station_pid" 2>/dev/null || true' EXIT
fi
build/quilo "$@"
