#!/usr/bin/env bash
# Builds Quilo and runs it against the local station, which is started beside it and stopped
# when the program ends. Without a desktop (no DISPLAY) the program runs on a private X display.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build -j"$(nproc)"

if [ -z "${DISPLAY:-}" ]; then
    echo "No DISPLAY: running on a private X display (see it with: DISPLAY=:N import -window root shot.png)."
    exec tools/with-display.sh tools/run.sh "$@"
fi

# the station prints "ready" once its sites listen and both streams serve
coproc STATION { exec build/quilo-station --exit-with-parent; }
station_pid=$STATION_PID
trap 'kill "$station_pid" 2>/dev/null || true; wait "$station_pid" 2>/dev/null || true' EXIT
while read -r -t 60 line <&"${STATION[0]}"; do
    [ "$line" = "ready" ] && break
done
echo "The local station runs (demo ID: demo, password: quilo2007); starting Quilo."
build/quilo "$@"
