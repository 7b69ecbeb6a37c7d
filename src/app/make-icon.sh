#!/bin/sh
# Draws the program's icon, a calendar page, and packs it into tavoli_calendar.ico with
# ImageMagick at every size the system asks for at 100 % to 200 % display scaling (small
# icons 16, 20, 24, 32; large ones 32, 40, 48, 64). The .ico is committed; run this only
# to make it again.
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
# Drawn once on a 48 grid at four times the size and scaled down, so every size shows
# the same page.
cat > "$tmp/page.mvg" <<'MVG'
affine 4 0 0 4 0 0
fill '#f8f8f4' stroke '#505050' stroke-width 2 roundrectangle 4,6 43,44 4,4
fill '#d83030' stroke none rectangle 5,7 42,17
fill '#505050' roundrectangle 12,2 16,12 2,2 roundrectangle 31,2 35,12 2,2
fill '#606060'
rectangle 10,22 15,26 rectangle 18,22 23,26 rectangle 26,22 31,26
rectangle 10,29 15,33 rectangle 18,29 23,33 rectangle 34,22 39,26
rectangle 26,29 31,33 rectangle 34,29 39,33
rectangle 10,36 15,40 rectangle 18,36 23,40
fill '#d83030' rectangle 26,36 31,40
MVG
convert -size 192x192 xc:none -draw "$(cat "$tmp/page.mvg")" "$tmp/page.png"
sizes="64 48 40 32 24 20 16"
for size in $sizes; do convert "$tmp/page.png" -resize ${size}x${size} "$tmp/icon-$size.png"; done
convert $(for size in $sizes; do echo "$tmp/icon-$size.png"; done) tavoli_calendar.ico
rm -rf "$tmp"
