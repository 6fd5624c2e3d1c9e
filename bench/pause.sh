#!/usr/bin/env bash
# What a pause costs: Quilo plays the local station's audio channel with its face shown, and the
# share of one core it uses is measured for SECONDS each while it plays live, while it is paused
# (the hold keeps what is on air) and while it plays behind live from the hold, in ROUNDS rounds;
# each round ends back at live. The commands are chosen from its menu by keys, as a listener would.
#   bench/pause.sh [SECONDS] [ROUNDS]   (default 20 and 3; run from a built tree)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
rounds=${2:-3}
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

bench_host=127.0.0.13
. bench/playing-face.sh

for round in $(seq "$rounds"); do
    live=$(share $pid)
    menu_line 5 # Pause
    wait_s 3
    paused=$(share $pid)
    menu_line 3 # Play
    wait_s 5
    behind=$(share $pid)
    menu_line 6 # Back to live
    wait_s 4
    echo "round $round: live $live %, paused $paused %, behind live $behind % of a core"
done
