#!/usr/bin/env bash
# What a log-in costs while it waits: Quilo logs in by itself against the local station whose
# main site holds every answer longer than the log-in's limit (40 s, the default), and the share
# of one core the program uses during the wait is measured from /proc.
#   bench/login-wait.sh [SECONDS]   (how long to measure, default 30; the wait itself is 40 s)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ -x build/quilo ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
host=127.0.0.10

build/quilo-station --bind $host --no-streams --ready-file "$work/ready" --exit-with-parent \
    >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do read -r -t 0.2 <> <(:) || true; done
curl -fsS "http://$host:8089/_station/fault?name=delay&ms=60000&site=main" >/dev/null

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$work/config/quilo"
printf '[Service]\nWebServer=http://%s:8081\nMainSite=http://%s:8082\nSsoSite=http://%s:8083\nStreamServer=%s\n' \
    $host $host $host $host > "$work/config/quilo/quilo.conf"
printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\n' > "$work/config/quilo/prefs.ini"
chmod 600 "$work/config/quilo/prefs.ini"

build/quilo >/dev/null 2>&1 &
pid=$!
# the wait has begun once the log says so
until [ -d /proc/$pid ] && grep -qs "TRY to log-in." /proc/$pid/cwd/Log/*.log; do
    read -r -t 0.05 <> <(:) || true
done
before=$(awk '{print $14 + $15}' /proc/$pid/stat)
read -r -t "$seconds" <> <(:) || true
after=$(awk '{print $14 + $15}' /proc/$pid/stat)
awk -v t=$((after - before)) -v h="$ticks" -v s="$seconds" \
    'BEGIN {printf "log-in waiting on a silent site: cpu %.2f %% of a core over %d s\n", 100 * t / h / s, s}'
