#!/usr/bin/env bash
# Draws the menu entry's icon at each installed size, 1:1, beside its name on a light and a
# dark menu background: tools/icon-sheet.sh packaging/icons/hicolor docs/screenshots/menu-icon.png
set -euo pipefail
dir=$1
out=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
font=/usr/share/fonts/truetype/nanum/NanumGothic.ttf
rows=()
for theme in light dark; do
  if [ "$theme" = light ]; then
    bg="#f6f5f4" fg="#202020"
  else
    bg="#2d2d2d" fg="#eeeeee"
  fi
  for s in 16 32 48 256; do
    # a menu row is at least 40 px high; larger icons get 8 px above and below
    h=$(( s < 40 ? 40 : s + 16 ))
    convert -size 560x$h xc:"$bg" \
      "$dir/${s}x${s}/apps/quilo.png" -geometry +12+$(( (h - s) / 2 )) -composite \
      -font "$font" -pointsize 15 -fill "$fg" -annotate +$(( s + 28 ))+$(( h / 2 + 5 )) "Quilo  퀼로   ·   ${s}×${s} px ($theme)" \
      "$work/row_${theme}_$s.png"
    rows+=("$work/row_${theme}_$s.png")
  done
done
convert "${rows[@]}" -append "$out"
