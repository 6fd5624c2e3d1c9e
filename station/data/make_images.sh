#!/bin/bash
# Regenerates the link images and the event banner of info/img/ (24-bit BMP, as the client
# loads them). Needs ImageMagick and the Nanum fonts (fonts-nanum). The images are kept in the
# repository; run this only to change them.
set -eu
cd "$(dirname "$0")/info/img"
FONT=/usr/share/fonts/truetype/nanum/NanumGothicBold.ttf

# button FILE COLOUR LABEL: 128 x 40, the size of the link frames of the shipped skins, filled to
# the edge (no see-through corners, so nothing of the skin's empty frame shows around it).
button() {
    convert -size 128x40 gradient:"$2"-"$(darker "$2")" \
        -fill none -stroke '#FFFFFF60' -draw 'rectangle 1,1,126,38' -stroke none \
        -font "$FONT" -pointsize 15 -fill white -gravity center -annotate +0+0 "$3" \
        -type TrueColor BMP3:"$1"
}

# darker COLOUR: the same hue at two thirds of its brightness, for the gradient's bottom
darker() {
    printf '#%02X%02X%02X' $((0x${1:1:2} * 2 / 3)) $((0x${1:3:2} * 2 / 3)) $((0x${1:5:2} * 2 / 3))
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

# the event banner fills the skins' 264 x 44 event frame
convert -size 264x44 gradient:'#F2A93B-#D9462F' -font "$FONT" -pointsize 15 -fill white \
    -gravity center -annotate +0-8 "가을 개편 이벤트" -pointsize 11 -annotate +0+11 "사연 보내고 선물 받자!" \
    -type TrueColor BMP3:event_banner.bmp
