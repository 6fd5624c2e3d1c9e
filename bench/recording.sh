#!/usr/bin/env bash
# What recording costs: Quilo plays the local station's audio channel with its face shown, and
# the share of one core it uses is measured for SECONDS while it only plays, then for SECONDS
# while it also records every program (chosen from its menu by keys, as a listener would), in
# ROUNDS alternated rounds; the recording's file size per minute is printed too.
#   bench/recording.sh [SECONDS] [ROUNDS]   (default 20 and 3; run from a built tree)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
rounds=${2:-3}
[ -x build/quilo ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
host=127.0.0.12

build/quilo-station --bind $host --ready-file "$work/ready" --exit-with-parent >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do read -r -t 0.2 <> <(:) || true; done

cpu_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wait_s() { read -r -t "$1" <> <(:) || true; }
share() {  # pid: percent of a core over $seconds
    local before after; before=$(cpu_of "$1"); wait_s "$seconds"; after=$(cpu_of "$1")
    awk -v t=$((after - before)) -v h="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / h / s}'
}
# the player's menu from the keyboard, and its line "Record every program"
toggle_recording() {
    xdotool key --window "$face" shift+F10
    wait_s 0.5
    for _ in 1 2 3 4 5 6 7; do xdotool key Down; done
    xdotool key Return
}

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$work/config/quilo" "$work/home"
printf '[Service]\nStreamServer=%s\nWebServer=http://%s:8081\nMainSite=http://%s:8082\nSsoSite=http://%s:8083\n[Player]\nVlcArgs=--aout=afile --audiofile-file=/dev/null\n' \
    $host $host $host $host > "$work/config/quilo/quilo.conf"
printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\n' > "$work/config/quilo/prefs.ini"
chmod 600 "$work/config/quilo/prefs.ini"
build/quilo >/dev/null 2>&1 &
pid=$!
until face=$(xdotool search --onlyvisible --name '^Quilo' 2>/dev/null | head -1) && [ -n "$face" ]; do
    wait_s 0.2
done
wait_s 5

for round in $(seq "$rounds"); do
    playing=$(share $pid)
    toggle_recording
    wait_s 3
    recording=$(share $pid)
    toggle_recording
    wait_s 2
    echo "round $round: playing $playing %, playing and recording $recording % of a core"
done
for file in "$work"/home/Music/Quilo/*.opus; do
    [ -f "$file" ] || { echo "no recording was made"; exit 1; }
    bytes=$(stat -c %s "$file")
    echo "$(basename "$file"): $bytes bytes, $((bytes * 60 / seconds / 1024)) KiB a minute"
done
