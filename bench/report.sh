#!/usr/bin/env bash
# The table and charts of a bench/run.sh run, from its CSV files:
#   bench/report.sh [RESULTS FOLDER]     (default bench/results)
set -euo pipefail
results=$(cd "${1:-$(dirname "$0")/results}" && pwd)

# median, min and max of one column for one player: "median min max"
stats() {
    awk -F, -v player="$1" -v column="$2" 'NR > 1 && $1 == player && $column != "" {print $column}' \
        "$results/players.csv" | sort -g |
        awk '{v[NR] = $1} END {if (NR == 0) {print "- - -"; exit}
             m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
             print m, v[1], v[NR]}'
}
median() { stats "$1" "$2" | cut -d' ' -f1; }
once() { awk -F, -v key="$1" '$1 == key {print $2}' "$results/once.csv"; }

players=(quilo cvlc-mms vlc-qt audacious-skins cvlc-ogg)
echo "each player, median (min-max) of the rounds; cpu in % of a core, memory in KiB"
printf '%-16s' player; printf ' %20s' "launch ms" "cpu face shown" "cpu hidden" "cpu Seeing Radio" \
    "rss steady" "rss peak"; echo
for player in "${players[@]}"; do
    printf '%-16s' "$player"
    for column in 3 4 5 6 7 8; do
        read -r m lo hi <<< "$(stats "$player" "$column")"
        if [ "$m" = "-" ]; then printf ' %20s' -; else printf ' %20s' "$m ($lo-$hi)"; fi
    done
    echo
done
# Quilo's measure against a peer's, as a ratio of medians: "label quilo-column peer peer-column goal"
goals=(
    "launch/cvlc-mms 3 cvlc-mms 3 1.0"
    "cpu-face/audacious 4 audacious-skins 4 1.0"
    "cpu-face/vlc-qt 4 vlc-qt 4 1.5"
    "cpu-hidden/cvlc-mms 5 cvlc-mms 4 1.1"
    "rss-steady/audacious 7 audacious-skins 7 1.0"
)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}'; }
echo
printf '%-30s %8s %6s\n' "quilo against" ratio goal
for goal in "${goals[@]}"; do
    read -r label column peer peer_column limit <<< "$goal"
    printf '%-30s %8s %6s\n' "$label" \
        "$(ratio "$(median quilo "$column")" "$(median "$peer" "$peer_column")")" "<=$limit"
done
echo
printf '%-28s %10s %10s\n' "once" value goal
for pair in "cpu_login_wait:" "cpu_clock_wait:" "idle_wakeups_per_s:" "skin_switch_median_ms:<30" \
    "skin_switch_max_ms:<30" "ticker_longest_gap_ms:<=50" "ticker_frames:" \
    "ticker_longest_gap_refused_ms:<=50" "sound_back_after_outage_ms:"; do
    printf '%-28s %10s %10s\n' "${pair%%:*}" "$(once "${pair%%:*}")" "${pair#*:}"
done
echo
echo "resident memory by kind, KiB (first round, playing the audio)"
printf '  %-24s' ""; printf ' %16s' "${players[@]}"; echo
awk -F, -v names="${players[*]}" '$1 ~ /^rss_.*_kib$/ {
        for (i = 1; i <= n; i++) if (index($1, "rss_" p[i] "_") == 1) {
            kind = substr($1, length("rss_" p[i] "_") + 1); sub("_kib$", "", kind)
            v[kind, p[i]] = $2; kinds[kind]}}
    BEGIN {n = split(names, p, " ")}
    END {for (k in kinds) {printf "  %-24s", k; for (i = 1; i <= n; i++) printf " %16s", v[k, p[i]]; print ""}}' \
    "$results/once.csv" | sort
if [ -s "$results/threads.csv" ]; then
    echo
    echo "quilo's threads, face shown (first round, 10 s): wake-ups a second, cpu % of a core"
    awk -F, 'NR > 1 && ($3 > 0.5 || $4 > 0) {printf "  %-24s %8s %6s\n", $2, $3, $4}' "$results/threads.csv"
fi
echo
echo "growth (scale.csv): size, microseconds, heap KiB"
awk -F, 'NR > 1 {printf "  %-14s %6s %8s us %8s KiB\n", $1, $2, $3, $4}' "$results/scale.csv"
# least squares fit through the origin per kind: how far the points stray from a straight line
awk -F, 'NR > 1 {n[$1]++; sx[$1] += $2; sy[$1] += $3; sxx[$1] += $2 * $2; sxy[$1] += $2 * $3; syy[$1] += $3 * $3}
    END {for (k in n) {b = (n[k] * sxy[k] - sx[k] * sy[k]) / (n[k] * sxx[k] - sx[k] * sx[k])
         a = (sy[k] - b * sx[k]) / n[k]
         r = (n[k] * sxy[k] - sx[k] * sy[k]) / sqrt((n[k] * sxx[k] - sx[k] ^ 2) * (n[k] * syy[k] - sy[k] ^ 2))
         printf "  %-14s time = %.3f us per item %+.0f us, r = %.3f\n", k, b, a, r}}' "$results/scale.csv"

command -v gnuplot >/dev/null || exit 0
cd "$results"
# each of Quilo's measures as a multiple of its peer's, beside its goal
for goal in "${goals[@]}"; do
    read -r label column peer peer_column limit <<< "$goal"
    echo "$label $(ratio "$(median quilo "$column")" "$(median "$peer" "$peer_column")") $limit"
done > players.dat
gnuplot <<'PLOT'
set terminal pngcairo size 900,420 font "sans,10"
set output "players.png"
set title "Quilo as a multiple of the other players (medians; bars: measured, marks: goal)"
set style fill solid 0.7 border -1
set boxwidth 0.5
set yrange [0:*]
set offsets 0, 0, graph 0.1, 0
set grid ytics
set key top left
plot "players.dat" using 0:2:xtic(1) with boxes lc rgb "#d0406a" title "quilo / peer", \
     "" using 0:3 with points pt 7 ps 1.5 lc rgb "#202020" title "goal", \
     1 with lines dt 2 lc rgb "#808080" title "peer"
PLOT
gnuplot <<'PLOT'
set terminal pngcairo size 900,380 font "sans,10"
set output "scale.png"
set datafile separator ","
set multiplot layout 1,2 title "Growth with the size of what the service sends"
set key top left
set xlabel "items"
set ylabel "microseconds"
set title "parse / read time"
plot "scale.csv" using (strcol(1) eq "program-table" ? $2 : 1/0):3 with linespoints title "program table (programs)", \
     "" using (strcol(1) eq "ticker" ? $2 : 1/0):3 with linespoints title "ticker file (items)"
set ylabel "KiB"
set title "heap held"
plot "scale.csv" using (strcol(1) eq "program-table" ? $2 : 1/0):4 with linespoints title "program table rows", \
     "" using (strcol(1) eq "ticker" ? $2 : 1/0):4 with linespoints title "ticker items"
unset multiplot
PLOT
echo "charts: $results/players.png $results/scale.png"
