#!/bin/sh
# Draws the program's icon, a calendar page, at 16, 32 and 48 pixels and packs the three
# into tavoli_calendar.ico with ImageMagick. The .ico is committed; run this only to make
# it again.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
for size in 16 32 48; do
    # Drawn at 48 pixels on a 48 grid and scaled, so every size shows the same page.
    convert -size 48x48 xc:none \
        -fill '#f8f8f4' -stroke '#505050' -strokewidth 2 -draw 'roundrectangle 4,6 43,44 4,4' \
        -fill '#d83030' -stroke none -draw 'rectangle 5,7 42,17' \
        -fill '#505050' -draw 'roundrectangle 12,2 16,12 2,2' -draw 'roundrectangle 31,2 35,12 2,2' \
        -fill '#606060' \
        -draw 'rectangle 10,22 15,26' -draw 'rectangle 18,22 23,26' -draw 'rectangle 26,22 31,26' \
        -draw 'rectangle 10,29 15,33' -draw 'rectangle 18,29 23,33' -draw 'rectangle 34,22 39,26' \
        -draw 'rectangle 26,29 31,33' -draw 'rectangle 34,29 39,33' \
        -draw 'rectangle 10,36 15,40' -draw 'rectangle 18,36 23,40' \
        -fill '#d83030' -draw 'rectangle 26,36 31,40' \
        -resize ${size}x${size} "$tmp/icon-$size.png"
done
convert "$tmp/icon-48.png" "$tmp/icon-32.png" "$tmp/icon-16.png" tavoli_calendar.ico
rm -rf "$tmp"
