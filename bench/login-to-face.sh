#!/usr/bin/env bash
# How soon the face is on screen after the log-in succeeds: Quilo logs in by itself against the
# local station, and quilo-bench times the log-in dialog's close on success to the main face's
# first paint, in fresh processes; the times and their median are printed.
#   bench/login-to-face.sh [RUNS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
[ -x build/quilo-bench ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
host=127.0.0.11

build/quilo-station --bind $host --no-streams --ready-file "$work/ready" --exit-with-parent \
    >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do read -r -t 0.2 <> <(:) || true; done

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$work/config/quilo"
printf '[Service]\nWebServer=http://%s:8081\nMainSite=http://%s:8082\nSsoSite=http://%s:8083\nStreamServer=%s\n' \
    $host $host $host $host > "$work/config/quilo/quilo.conf"

times=()
for _ in $(seq "$runs"); do
    printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\n' > "$work/config/quilo/prefs.ini"
    chmod 600 "$work/config/quilo/prefs.ini"
    line=$(build/quilo-bench login-to-face 2>/dev/null | grep '^login-to-face')
    echo "$line"
    times+=("$(awk '{print $2}' <<<"$line")")
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {print "median", a[int((NR+1)/2)], "ms"}'
