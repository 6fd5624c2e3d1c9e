# Sourced by the benches that measure Quilo playing with its face shown (recording.sh,
# pause.sh): starts a station on $bench_host and Quilo logged in against it, its sound into
# libVLC's file output; sets $work, $pid (Quilo) and $face (its window) and gives share (a
# process's percent of a core over $seconds), wait_s and menu_line (the player's menu by keys).
[ -x build/quilo ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
host=${bench_host:?}

build/quilo-station --bind $host --ready-file "$work/ready" --exit-with-parent >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do read -r -t 0.2 <> <(:) || true; done

cpu_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }
wait_s() { read -r -t "$1" <> <(:) || true; }
share() {  # pid: percent of a core over $seconds
    local before after; before=$(cpu_of "$1"); wait_s "$seconds"; after=$(cpu_of "$1")
    awk -v t=$((after - before)) -v h="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / h / s}'
}
# the player's menu from the keyboard, and its line number N (greyed lines are skipped)
menu_line() {
    xdotool key --window "$face" shift+F10
    wait_s 0.5
    for _ in $(seq "$1"); do xdotool key Down; done
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

