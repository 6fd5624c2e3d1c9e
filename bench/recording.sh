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
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

bench_host=127.0.0.12
. bench/playing-face.sh

for round in $(seq "$rounds"); do
    playing=$(share $pid)
    menu_line 8 # Record every program
    wait_s 3
    recording=$(share $pid)
    menu_line 8 # Record every program
    wait_s 2
    echo "round $round: playing $playing %, playing and recording $recording % of a core"
done
for file in "$work"/home/Music/Quilo/*.opus; do
    [ -f "$file" ] || { echo "no recording was made"; exit 1; }
    bytes=$(stat -c %s "$file")
    echo "$(basename "$file"): $bytes bytes, $((bytes * 60 / seconds / 1024)) KiB a minute"
done
