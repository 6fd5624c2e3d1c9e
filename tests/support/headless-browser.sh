#!/bin/sh
# The tests' stand-in for the listener's browser: opens the address it is given in a headless
# Chromium that keeps running, follows redirects, runs the page's scripts and keeps cookies as a
# desktop browser does. Each copy gets a profile of its own under $QUILO_BROWSER_DIR and runs in
# a session of its own, whose id it notes in "$QUILO_BROWSER_DIR/sessions", so that the test can
# end it with everything it started.
set -eu
dir=${QUILO_BROWSER_DIR:?QUILO_BROWSER_DIR names the folder for the browser}
mkdir -p "$dir"
echo "$1" >>"$dir/opened"
profile=$(mktemp -d "$dir/profile.XXXXXX")
sandbox=""
[ "$(id -u)" -eq 0 ] && sandbox="--no-sandbox"
setsid chromium-headless-shell $sandbox --user-data-dir="$profile" --disable-gpu \
    --no-first-run --disable-background-networking "$1" >"$profile.log" 2>&1 </dev/null &
echo $! >>"$dir/sessions"
