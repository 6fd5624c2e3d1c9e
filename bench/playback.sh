#!/usr/bin/env bash
# What playing costs: Quilo and VLC (cvlc) play the local station's audio stream into a WAV file
# for the same time; for each, the share of one core used while playing, the memory held (RSS)
# and the time from start to the first second of the station's tone in the file.
#   bench/playback.sh [SECONDS]          (default 30; run from a built tree: tools/run.sh builds)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
[ -x build/quilo ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }
command -v cvlc >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; \
    $sudo apt-get install -y -qq --no-install-recommends vlc-bin >/dev/null; }
# a desktop given (X11 or Wayland, e.g. tools/with-wayland.sh bench/playback.sh), or a private X one
[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)

build/quilo-station --bind 127.0.0.9 --ready-file "$work/ready" --exit-with-parent >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do read -r -t 0.2 <> <(:) || true; done

# cpu ticks (user + system) of a process
cpu_of() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_of() { awk '/VmRSS/ {print $2}' "/proc/$1/status"; }
# milliseconds until the WAV holds more than one second of sound after its 44-byte header
first_second_ms() {
    local file=$1 start=$2
    until [ -f "$file" ] && [ "$(stat -c %s "$file")" -gt $((44 + 44100 * 2)) ]; do
        read -r -t 0.02 <> <(:) || true
    done
    echo $(( ($(date +%s%N) - start) / 1000000 - 1000 ))
}

measure() {  # name pid wav start
    local name=$1 pid=$2 wav=$3 start=$4
    local sound_ms; sound_ms=$(first_second_ms "$wav" "$start")
    local before; before=$(cpu_of "$pid")
    read -r -t "$seconds" <> <(:) || true
    local after; after=$(cpu_of "$pid")
    local percent; percent=$(awk -v t=$((after - before)) -v h="$ticks" -v s="$seconds" \
        'BEGIN {printf "%.1f", 100 * t / h / s}')
    printf '%-6s cpu %5s %% of a core   rss %6s KiB   first sound after %5s ms\n' \
        "$name" "$percent" "$(rss_of "$pid")" "$sound_ms"
}

args="--aout=afile --audiofile-channels=1 --audiofile-format=s16"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$work/config/quilo"
printf '[Service]\nStreamServer=127.0.0.9\nWebServer=http://127.0.0.9:8081\nMainSite=http://127.0.0.9:8082\nSsoSite=http://127.0.0.9:8083\n[Player]\nVlcArgs=%s --audiofile-file=%s\n' \
    "$args" "$work/quilo.wav" > "$work/config/quilo/quilo.conf"
# the station's demo member, logged in by itself
printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\n' > "$work/config/quilo/prefs.ini"
chmod 600 "$work/config/quilo/prefs.ini"
start=$(date +%s%N)
build/quilo >/dev/null 2>&1 &
measure quilo $! "$work/quilo.wav" "$start"
kill -TERM %2; wait %2 || true

# VLC refuses to run as root: then it runs as nobody, writing into the (opened) work folder
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chmod 777 "$work"
    as_user=(runuser -u nobody --)
fi
start=$(date +%s%N)
"${as_user[@]}" cvlc --quiet $args --audiofile-file="$work/vlc.wav" mmsh://127.0.0.9:8080/L-FM_300k >/dev/null 2>&1 &
vlc_pid=$!
# the measured process is VLC itself, not runuser in front of it
until child=$(pgrep -P "$vlc_pid" -x vlc) || [ -z "${as_user[*]}" ]; do read -r -t 0.05 <> <(:) || true; done
measure vlc "${child:-$vlc_pid}" "$work/vlc.wav" "$start"
