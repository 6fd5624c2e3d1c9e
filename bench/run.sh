#!/usr/bin/env bash
# What Quilo costs while it plays, side by side with other players, in one run:
#   bench/run.sh [ROUNDS]     (default 3; about 11 minutes on 2 cores)
# It builds a release build (build-bench, RelWithDebInfo), starts the local station and a private
# PulseAudio server with a null sink (every player plays into it, as on a listener's desktop),
# and measures, alternating the players round by round, each as the same user (nobody when run as
# root, since VLC refuses root):
#   quilo               the main face shown (ticker scrolling, sprites moving), then hidden in the
#                       tray, then with Seeing Radio shown
#   cvlc-mms            cvlc --intf dummy on the station's mmsh:// audio stream: Quilo's floor
#   vlc-qt              VLC with its Qt window on the same stream
#   audacious-skins     Audacious with its Winamp-classic skinned window (title scrolling,
#                       visualizer on), playing the same tone as Ogg Vorbis over HTTP, served by
#                       the bench (Audacious has no MMS)
#   cvlc-ogg            cvlc on that Ogg stream: Audacious' floor
# and for each:
#   launch to audio     (quilo and cvlc-mms) process start, with automatic log-in, to the first
#                       decoded sample, both decoding into a WAV file (--aout=afile) with the same
#                       network cache
#   cpu while playing   share of one core over 20 s, through PulseAudio
#   memory              peak (VmHWM) and steady (VmRSS after 20 s) resident memory
#   wake-ups            (first round) wake-ups a second and cpu of each of Quilo's threads, face
#                       shown, into threads.csv
# and once: the cpu of the bounded waits (a log-in against a silent site, clock requests against a
# slow one), wake-ups per second of the program's main thread while stopped and hidden, the skin
# switch time, the longest gap between two ticker frames during a slow download and while the
# site is refused, how soon the sound is back after the stream server's outage, and how parse
# time and the ticker's memory grow with the size of what the service sends.
# Results: a table on the terminal; bench/results/{players,once,scale,threads}.csv, players.png,
# scale.png.
set -euo pipefail
cd "$(dirname "$0")/.."
rounds=${1:-3}
steady_s=20

tools/install-deps.sh
bench_packages=(vlc-bin vlc-plugin-qt audacious gnuplot-nox curl sox libsox-fmt-base busybox
    pulseaudio pulseaudio-utils)
for package in "${bench_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
          $sudo apt-get install -y -qq --no-install-recommends "${bench_packages[@]}" >/dev/null
          break; }
done
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-bench -j"$(nproc)" --target quilo quilo-station quilo-bench >/dev/null
[ -n "${DISPLAY:-}" ] || exec tools/with-display.sh "$0" "$@"

bin=$PWD/build-bench
results=$PWD/bench/results
mkdir -p "$results"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
ticks=$(getconf CLK_TCK)
host=127.0.0.9
control=http://$host:8089/_station
cache_ms=1000
afile="--aout=afile --audiofile-channels=1 --audiofile-format=s16"

# Sleeps without a process of its own: read with a time-out from a pipe nobody writes to.
pause() { read -r -t "$1" <> <(:) || true; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
status_kib() { awk -v key="$2:" '$1 == key {print $2}' "/proc/$1/status"; }
# cpu of `pid` over `seconds`, as a share of one core in percent
cpu_over() {
    local pid=$1 seconds=$2 before after
    before=$(cpu_ticks "$pid"); pause "$seconds"; after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v h="$ticks" -v s="$seconds" 'BEGIN {printf "%.2f", 100 * t / h / s}'
}
# milliseconds from `start_ns` until the WAV file holds its first sample after the header
first_sample_ms() {
    local file=$1 start_ns=$2
    until [ -f "$file" ] && [ "$(stat -c %s "$file")" -gt 44 ]; do pause 0.005; done
    echo $(( ($(date +%s%N) - start_ns) / 1000000 ))
}
fault() { curl -fsS "$control/fault?$1" >/dev/null; }

"$bin/quilo-station" --bind $host --clock-start 2007-07-01T12:10:00 --ready-file "$work/ready" \
    --exit-with-parent >/dev/null 2>&1 &
until [ -s "$work/ready" ]; do pause 0.1; done

# Every player runs as one user with a home of its own in the work folder; as root that user is
# nobody (VLC refuses root), who must reach the sound server and write the work folder.
runner=()
player_home=$work/player
mkdir -p "$player_home"
if [ "$(id -u)" -eq 0 ]; then
    runner=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
    chmod 777 "$work"
fi
# the words before a player's command (a command of its own, so that $! is the player's pid)
as_player=("${runner[@]}" env HOME="$player_home" XDG_CONFIG_HOME="$player_home/config"
           XDG_DATA_HOME="$player_home/data" XDG_CACHE_HOME="$player_home/cache")
own_player_home() { if [ ${#runner[@]} -gt 0 ]; then chown -R nobody:nogroup "$player_home"; fi; }

# A private sound server with a null sink: what a listener's desktop runs, without a sound card.
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    --load="module-null-sink sink_name=bench" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse" \
    >"$work/pulse.log" 2>&1 &
export PULSE_SERVER=unix:$work/pulse
until pactl info >/dev/null 2>&1; do pause 0.1; done

# The station's tone (1000 Hz, 44.1 kHz stereo, 0.3 of full scale) as Ogg Vorbis over HTTP.
mkdir -p "$work/www"
# (a title longer than the skinned window shows, so that it scrolls there)
sox -q -n -r 44100 -c 2 --comment "TITLE=ZELK Internet Radio - the bench tone at 1000 Hz, a title long enough to scroll" \
    "$work/www/tone.ogg" synth 180 sine 1000 vol 0.3
busybox httpd -f -p $host:8090 -h "$work/www" &
ogg_url=http://$host:8090/tone.ogg

# Audacious with its skinned interface, playing through PulseAudio: its first start writes its
# plugin registry, in which the bench then turns the Qt interface off and the skinned one on.
audacious_registry=$player_home/config/audacious/plugin-registry
mkdir -p "$player_home/config"; own_player_home
# (it writes the registry as it ends)
"${as_player[@]}" audacious --qt >/dev/null 2>&1 &
audacious_pid=$!
until xdotool search --onlyvisible --pid $audacious_pid >/dev/null 2>&1; do pause 0.1; done
kill -TERM $audacious_pid; wait $audacious_pid 2>/dev/null || true
[ -s "$audacious_registry" ] || { echo "Audacious wrote no plugin registry" >&2; exit 1; }
awk '/^[a-z]+ \//{plugin = $2}
     /^enabled / {if (plugin ~ /General\/qtui\.so$/) $0 = "enabled 0"
                  else if (plugin ~ /General\/skins-qt\.so$/) $0 = "enabled 1"
                  else if (plugin ~ /Output\/pulse_audio\.so$/) $0 = "enabled 1"
                  else if (plugin ~ /Output\/alsa\.so$/) $0 = "enabled 0"} {print}' \
    "$audacious_registry" > "$work/registry" && cat "$work/registry" > "$audacious_registry"

# Quilo's own folders: its settings log in by themselves with the station's demo member.
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
quilo_conf() {  # extra VlcArgs [config folder]
    local folder=${2:-$work/config}/quilo
    mkdir -p "$folder"
    printf '[Service]\nWebServer=http://%s:8081\nMainSite=http://%s:8082\nSsoSite=http://%s:8083\nStreamServer=%s\nDomain=%s\n[Player]\nVlcArgs=--network-caching=%s %s\n' \
        $host $host $host $host $host $cache_ms "$1" > "$folder/quilo.conf"
    printf '[Prefs]\nID=demo\nPW=quilo2007\nOptionAutoLogin=1\nSkin=Quilo2\nPosX=20\nPosY=20\nVolume=30\n' \
        > "$folder/prefs.ini"
    chmod 600 "$folder/prefs.ini"
}
player_conf() { quilo_conf "$1" "$player_home/config"; own_player_home; }
face_window() { xdotool search --onlyvisible --name '^Quilo$' 2>/dev/null | head -1; }
# a click on the face at a skin key's place ("[MAIN_STOP]=70,224" names the button's top-left)
click_key() {
    local key=$1 window xy
    window=$(face_window)
    xy=$(grep -F "[$key]=" Skins/Quilo2/skininfo.ini | cut -d= -f2 | tr -d '\r')
    xdotool mousemove --window "$window" $(( ${xy%%,*} + 6 )) $(( ${xy##*,} + 6 )) click 1
}

echo "player,round,launch_ms,cpu_face,cpu_hidden,cpu_view,rss_steady_kib,rss_peak_kib,rss_peak_view_kib" \
    > "$results/players.csv"

# start to the first decoded sample, decoding into a WAV file
launch_ms() {  # command...
    local wav=$work/launch.wav start pid ms
    rm -f "$wav"
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 &
    pid=$!
    ms=$(first_sample_ms "$wav" "$start")
    kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
    echo "$ms"
}

round_quilo() {
    local round=$1 pid launch face hidden view steady peak peak_view
    player_conf "$afile --audiofile-file=$work/launch.wav"
    launch=$(launch_ms "${as_player[@]}" "$bin/quilo")
    player_conf ""
    "${as_player[@]}" "$bin/quilo" >/dev/null 2>&1 &
    pid=$!
    until [ -n "$(face_window)" ]; do pause 0.1; done
    pause 4
    if [ "$round" -eq 1 ]; then thread_wakeups "$pid" quilo-face-shown; fi
    face=$(cpu_over "$pid" $steady_s)
    steady=$(status_kib "$pid" VmRSS)
    click_key MAIN_HIDE
    pause 1
    hidden=$(cpu_over "$pid" $steady_s)
    "${as_player[@]}" "$bin/quilo" >/dev/null 2>&1 || true   # a second start brings the face back
    until [ -n "$(face_window)" ]; do pause 0.1; done
    # the peak while playing the audio, as VLC does; Seeing Radio's video frames come on top
    peak=$(status_kib "$pid" VmHWM)
    if [ "$round" -eq 1 ]; then resident_by_kind "$pid" quilo; fi
    click_key MAIN_VIEW
    pause 3
    view=$(cpu_over "$pid" $steady_s)
    peak_view=$(status_kib "$pid" VmHWM)
    if [ "$round" -eq 1 ]; then wakeups "$pid"; fi
    kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
    echo "quilo,$round,$launch,$face,$hidden,$view,$steady,$peak,$peak_view" >> "$results/players.csv"
}

# wake-ups a second and cpu (% of a core) of each thread over 10 s, into threads.csv
thread_wakeups() {
    local pid=$1 label=$2
    snapshot() {
        for task in /proc/"$pid"/task/*; do
            printf '%s %s %s %s\n' "${task##*/}" "$(tr ' ,' '__' < "$task/comm")" \
                "$(awk '/ctxt_switches/ {n += $2} END {print n}' "$task/status")" \
                "$(awk '{print $14 + $15}' "$task/stat")"
        done | sort
    }
    snapshot > "$work/threads.before"; pause 10; snapshot > "$work/threads.after"
    join "$work/threads.before" "$work/threads.after" |
        awk -v label="$label" -v h="$ticks" '{printf "%s,%s,%.1f,%.2f\n", label, $2, ($6 - $3) / 10, 100 * ($7 - $4) / h / 10}' \
        >> "$results/threads.csv"
}

# wake-ups per second of the main (GUI) thread while stopped and hidden: our own timers
wakeups() {
    local pid=$1 before after
    click_key MAIN_VIEW; pause 1; click_key MAIN_STOP; pause 1; click_key MAIN_HIDE; pause 2
    switches() { awk '/ctxt_switches/ {n += $2} END {print n}' "/proc/$pid/task/$pid/status"; }
    before=$(switches); pause 10; after=$(switches)
    echo "idle_wakeups_per_s,$(awk -v d=$((after - before)) 'BEGIN {printf "%.1f", d / 10}')" \
        >> "$results/once.csv"
}

# where a player's resident memory is, in KiB: its heap and other anonymous memory, and the pages
# of each kind of file it maps (the Qt, VLC and other libraries, fonts, the rest)
resident_by_kind() {
    local pid=$1 player=$2
    awk -v player="$player" '
        /^[0-9a-f]+-[0-9a-f]+ / {file = $6}
        /^Rss:/ {
            kind = "anonymous"
            if (file ~ /libQt/) kind = "qt-libraries"
            else if (file ~ /vlc/) kind = "vlc-libraries-plugins"
            else if (file ~ /\.(so|so\.[0-9.]+)$/) kind = "other-libraries"
            else if (file ~ /fonts|\.ttf|\.otf|\.ttc/) kind = "fonts"
            else if (file ~ /^\//) kind = "other-files"
            kib[kind] += $2
        }
        END {for (k in kib) printf "rss_%s_%s_kib,%d\n", player, k, kib[k]}' "/proc/$pid/smaps" |
        sort >> "$results/once.csv"
}

# One of the other players for 20 s through PulseAudio: its cpu and memory, and for cvlc-mms (the
# floor of Quilo's stream) the launch to audio beside Quilo's.
round_peer() {
    local player=$1 round=$2 pid launch="" face steady peak command
    case $player in
        cvlc-mms) command=(cvlc --intf dummy --quiet --network-caching=$cache_ms "mmsh://$host:8080/L-FM_300k")
                  launch=$(launch_ms "${as_player[@]}" cvlc --intf dummy --quiet --network-caching=$cache_ms \
                      $afile --audiofile-file="$work/launch.wav" "mmsh://$host:8080/L-FM_300k") ;;
        vlc-qt) command=(vlc --intf qt --no-qt-privacy-ask --quiet --network-caching=$cache_ms
                         "mmsh://$host:8080/L-FM_300k") ;;
        audacious-skins) command=(audacious --qt "$ogg_url") ;;
        cvlc-ogg) command=(cvlc --intf dummy --quiet --network-caching=$cache_ms "$ogg_url") ;;
    esac
    "${as_player[@]}" "${command[@]}" >/dev/null 2>&1 &
    pid=$!
    pause 6
    face=$(cpu_over "$pid" $steady_s)
    steady=$(status_kib "$pid" VmRSS)
    peak=$(status_kib "$pid" VmHWM)
    if [ "$round" -eq 1 ]; then resident_by_kind "$pid" "$player"; fi
    kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
    echo "$player,$round,$launch,$face,,,$steady,$peak," >> "$results/players.csv"
}

echo "what,value" > "$results/once.csv"
echo "label,thread,wakeups_per_s,cpu" > "$results/threads.csv"
peers=(cvlc-mms vlc-qt audacious-skins cvlc-ogg)
for round in $(seq 1 "$rounds"); do
    echo "round $round of $rounds"
    if [ $((round % 2)) -eq 1 ]; then round_quilo "$round"; fi
    for peer in "${peers[@]}"; do round_peer "$peer" "$round"; done
    if [ $((round % 2)) -eq 0 ]; then round_quilo "$round"; fi
done

echo "bounded waits, skin switch, ticker, scale"
# a log-in the main site never answers within the log-in's limit
quilo_conf "--aout=afile --audiofile-file=$work/wait.wav"
fault "name=delay&ms=60000&site=main"
"$bin/quilo" >/dev/null 2>&1 &
pid=$!
pause 3
echo "cpu_login_wait,$(cpu_over "$pid" $steady_s)" >> "$results/once.csv"
kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
fault "name=clear"
# playing while every clock request waits on a slow web server
"$bin/quilo" >/dev/null 2>&1 &
pid=$!
until [ -n "$(face_window)" ]; do pause 0.1; done
pause 3
fault "name=delay&ms=20000&site=web"
echo "cpu_clock_wait,$(cpu_over "$pid" 30)" >> "$results/once.csv"
kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
fault "name=clear"

export QUILO_CONF=$work/config/quilo/quilo.conf
(cd "$bin" && ./quilo-bench skin-switch 20) > "$work/skin.csv"
sort -t, -k2 -g "$work/skin.csv" | awk -F, '{v[NR] = $2} END {printf "skin_switch_median_ms,%s\nskin_switch_max_ms,%s\n", v[int((NR + 1) / 2)], v[NR]}' \
    >> "$results/once.csv"
fault "name=delay&ms=5000&site=web"
(cd "$bin" && ./quilo-bench ticker-gap 8000) | awk -F, '{printf "ticker_longest_gap_ms,%s\nticker_frames,%s\n", $2, $3}' \
    >> "$results/once.csv"
fault "name=refuse&site=web"
(cd "$bin" && ./quilo-bench ticker-gap 8000) | awk -F, '{printf "ticker_longest_gap_refused_ms,%s\n", $2}' \
    >> "$results/once.csv"
fault "name=clear"
# how soon the sound is back once the stream server returns from a three-second outage: each
# new attempt writes a new file, so the first sample of the file made after the return counts
quilo_conf "$afile --audiofile-file=$work/back.wav"
rm -f "$work/back.wav"
"$bin/quilo" >/dev/null 2>&1 &
pid=$!
first_sample_ms "$work/back.wav" "$(date +%s%N)" >/dev/null
pause 3
fault "name=stream-stop&stream=fm"
rm -f "$work/back.wav"
pause 3
start=$(date +%s%N)
fault "name=stream-start&stream=fm"
echo "sound_back_after_outage_ms,$(first_sample_ms "$work/back.wav" "$start")" >> "$results/once.csv"
kill -TERM "$pid"; wait "$pid" 2>/dev/null || true
fault "name=clear"
echo "what,size,microseconds,heap_kib" > "$results/scale.csv"
"$bin/quilo-bench" scale >> "$results/scale.csv"

bench/report.sh "$results"
