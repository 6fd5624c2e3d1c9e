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

printf '%-28s %22s %22s %8s %6s\n' "measure (median, min-max)" quilo vlc ratio goal
row() {  # label column goal
    local q v; q=($(stats quilo "$2")); v=($(stats vlc "$2"))
    local ratio="-"
    [ "${v[0]}" != "-" ] && ratio=$(awk -v a="${q[0]}" -v b="${v[0]}" 'BEGIN {printf "%.2f", (b > 0 ? a / b : 0)}')
    printf '%-28s %22s %22s %8s %6s\n' "$1" "${q[0]} (${q[1]}-${q[2]})" \
        "$( [ "${v[0]}" = "-" ] && echo - || echo "${v[0]} (${v[1]}-${v[2]})")" "$ratio" "$3"
}
row "launch to audio, ms" 3 "<=0.7"
row "cpu face shown, % core" 4 "<=1.5"
row "cpu hidden, % core" 5 "<=1.1"
row "cpu Seeing Radio, % core" 6 ""
row "rss steady, KiB" 7 ""
row "rss peak, KiB" 8 "<=1.5"
row "rss peak Seeing Radio, KiB" 9 ""
# the hidden and Seeing Radio rows compare with VLC playing the audio alone
q_hidden=$(median quilo 5); v_cpu=$(median vlc 4)
awk -v a="$q_hidden" -v b="$v_cpu" 'BEGIN {printf "%-28s %22s %22s %8.2f %6s\n", "  hidden against vlc", a, b, a / b, "<=1.1"}'
echo
printf '%-28s %10s %10s\n' "once" value goal
for pair in "cpu_login_wait:" "cpu_clock_wait:" "idle_wakeups_per_s:" "skin_switch_median_ms:<30" \
    "skin_switch_max_ms:<30" "ticker_longest_gap_ms:<=50" "ticker_frames:" \
    "ticker_longest_gap_refused_ms:<=50" "sound_back_after_outage_ms:"; do
    printf '%-28s %10s %10s\n' "${pair%%:*}" "$(once "${pair%%:*}")" "${pair#*:}"
done
echo
echo "resident memory by kind, KiB (first round, playing the audio)"
printf '  %-24s %10s %10s\n' "" quilo vlc
awk -F, '$1 ~ /^rss_.*_kib$/ {split($1, p, "_"); player = p[2]; kind = $1
         sub("^rss_" player "_", "", kind); sub("_kib$", "", kind); v[kind, player] = $2; kinds[kind]}
    END {for (k in kinds) printf "  %-24s %10s %10s\n", k, v[k, "quilo"], v[k, "vlc"]}' \
    "$results/once.csv" | sort
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
# each measure as Quilo's multiple of VLC's, beside its goal
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.3f", (b > 0 ? a / b : 0)}'; }
{
    echo "launch-to-audio $(ratio "$(median quilo 3)" "$(median vlc 3)") 0.7"
    echo "cpu-face-shown $(ratio "$(median quilo 4)" "$(median vlc 4)") 1.5"
    echo "cpu-hidden $(ratio "$(median quilo 5)" "$(median vlc 4)") 1.1"
    echo "rss-peak $(ratio "$(median quilo 8)" "$(median vlc 8)") 1.5"
    echo "rss-steady $(ratio "$(median quilo 7)" "$(median vlc 7)") 1.5"
} > players.dat
gnuplot <<'PLOT'
set terminal pngcairo size 800,420 font "sans,10"
set output "players.png"
set title "Quilo as a multiple of VLC on the same stream (medians; bars: measured, marks: goal)"
set style fill solid 0.7 border -1
set boxwidth 0.5
set yrange [0:*]
set grid ytics
set key top left
plot "players.dat" using 0:2:xtic(1) with boxes lc rgb "#d0406a" title "quilo / vlc", \
     "" using 0:3 with points pt 7 ps 1.5 lc rgb "#202020" title "goal", \
     1 with lines dt 2 lc rgb "#808080" title "vlc"
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
