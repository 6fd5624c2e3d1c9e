#!/usr/bin/env bash
# How soon a stream that comes back is heard again: VLC (cvlc, a stream server none of us wrote)
# serves a tone over HTTP where Quilo looks for its audio channel; it is stopped for 1 to 4 s and
# started again RETURNS times, and each time the seconds from its start until Quilo's output has
# grown by one more second of sound are printed, then the slowest.
#   bench/recovery.sh [RETURNS]   (default 20)
set -euo pipefail
cd "$(dirname "$0")/.."
returns=${1:-20}
[ -x build/quilo ] && [ -x build/quilo-station ] || { echo "build first (tools/test.sh)"; exit 1; }
command -v cvlc >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; \
    $sudo apt-get install -y -qq --no-install-recommends vlc-bin vlc-plugin-base >/dev/null; }
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

work=$(mktemp -d)
chmod 777 "$work"
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null; rm -rf "$work"' EXIT
web=127.0.0.12 streams=127.0.0.13
pause() { read -r -t "$1" <> <(:) || true; }

build/quilo-station --bind $web --no-streams --ready-file "$work/ready" --exit-with-parent \
    >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do pause 0.2; done

# ten seconds of a 1000 Hz tone, played in a loop by the server
python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(44100)
    out.writeframes(b"".join(struct.pack("<h", int(12000 * math.sin(2 * math.pi * 1000 * i / 44100)))
                             for i in range(441000)))
PY
# VLC refuses to run as root: then it runs as nobody
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(runuser -u nobody --)
serve() {
    "${as_user[@]}" cvlc --quiet --loop "$work/tone.wav" \
        --sout "#transcode{acodec=mp3,ab=128,channels=1,samplerate=44100}:std{access=http,mux=mp3,dst=$streams:8080/L-FM_300k}" \
        >/dev/null 2>&1 &
    server=$!
}
stop_serving() { pkill -P "$server" 2>/dev/null || true; kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; }

export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
mkdir -p "$work/config/quilo"
printf '[Service]\nStreamServer=%s\nWebServer=http://%s:8081\nMainSite=http://%s:8082\nSsoSite=http://%s:8083\n[Player]\nVlcArgs=--aout=afile --audiofile-channels=1 --audiofile-format=s16 --audiofile-file=%s\n' \
    $streams $web $web $web "$work/quilo.wav" > "$work/config/quilo/quilo.conf"
printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\n' > "$work/config/quilo/prefs.ini"
chmod 600 "$work/config/quilo/prefs.ini"

size() { stat -c %s "$work/quilo.wav" 2>/dev/null || echo 0; }
# milliseconds from $1 (date +%s%N) until the output has grown by one second of sound; each new
# stream writes a new file, which starts again from its header
heard_again_ms() {
    local start=$1 from now; from=$(size)
    while now=$(size); [ "$now" -le $((from + 88200)) ]; do
        [ "$now" -lt "$from" ] && from=44
        pause 0.05
    done
    echo $(( ($(date +%s%N) - start) / 1000000 ))
}

serve
build/quilo >/dev/null 2>&1 &
quilo=$!
heard_again_ms "$(date +%s%N)" >/dev/null
slowest=0
for ((i = 1; i <= returns; i++)); do
    pause 2
    stop_serving
    pause "$(awk -v r=$RANDOM 'BEGIN {printf "%.1f", 1 + 3 * r / 32767}')"
    start=$(date +%s%N)
    serve
    ms=$(heard_again_ms "$start")
    (( ms > slowest )) && slowest=$ms
    printf 'return %2d: heard again after %5d ms\n' "$i" "$ms"
done
printf 'slowest of %d returns: %d ms\n' "$returns" "$slowest"
log=$(ls -t /proc/$quilo/cwd/Log/*.log | head -n 1)
printf 'attempts made at once because the server answered a knock: %d\n' \
    "$(grep -c 'The stream server answers' "$log" || true)"
