#!/bin/sh
# Regenerates the link images and the event banner of info/img/ (24-bit BMP, as the client
# loads them). Needs ImageMagick and the Nanum fonts (fonts-nanum). The images are kept in the
# repository; run this only to change them.
set -eu
cd "$(dirname "$0")/info/img"
FONT=/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf

# button FILE COLOUR LABEL: 72 x 22, rounded corners on pure blue (the client's see-through
# colour), so only the button itself shows.
button() {
    convert -size 72x22 xc:'#0000FF' +antialias -fill "$2" -draw 'roundrectangle 0,0,71,21,7,7' \
        -antialias -font "$FONT" -pointsize 12 -fill white -gravity center -annotate +0+0 "$3" \
        -type TrueColor BMP3:"$1"
}

while read -r code colour; do
    button "${code}_1.bmp" "$colour" "홈페이지"
    [ "$code" = 0000112 ] || button "${code}_2.bmp" "$colour" "게시판"
done <<'LIST'
0000101 #5B6C8F
0000102 #E0782B
0000103 #3C9D5D
0000104 #B5548A
0000105 #D94F45
0000106 #8A63C9
0000107 #2F8FB3
0000108 #C98A2E
0000109 #27406E
0000110 #4A4A4A
0000111 #6B4A2E
0000112 #3D3D6B
LIST

convert -size 150x40 gradient:'#F2A93B-#D9462F' -font "$FONT" -pointsize 13 -fill white \
    -gravity center -annotate +0-7 "가을 개편 이벤트" -pointsize 10 -annotate +0+10 "사연 보내고 선물 받자!" \
    -type TrueColor BMP3:event_banner.bmp
