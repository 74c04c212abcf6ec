#!/usr/bin/env bash
# Draws the three icons from simple shapes, each with images of 32, 48 and 64 pixels (the About page shows the
# larger ones on scaled displays); the shapes are given on a 32-pixel grid and scaled for the larger images.
# The 16, 20, 24 and 40 pixel images, the small icon of the tray and title bars at 100 to 250 %, are the 64-pixel
# one made smaller: without them Windows shrinks the 32-pixel image itself, and the tray icon is blurred.
#   tlicon.ico  the program: a pointer-sized box over red, green and blue bands
#   qnicon.ico  the maker: a teal ring with a quill stroke through it
#   dticon.ico  the development tool: angle brackets around a slash on a dark tile
# Run by hand when a drawing changes; the .ico files are committed.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -r "$tmp"' EXIT

# Draws one image: draw NAME SIZE SHAPES... The grid's pixel centres land on the image's pixel centres.
draw() {
  local name=$1 size=$2
  shift 2
  local k t
  k=$(echo "scale=4; $size / 32" | bc)
  t=$(echo "scale=4; ($k - 1) / 2" | bc)
  convert -size "${size}x${size}" xc:none -affine "$k,0,0,$k,$t,$t" "$@" "PNG32:$tmp/$name-$size.png"
}

tl=(-fill '#d02020' -draw 'rectangle 0,0 31,9'
    -fill '#20a020' -draw 'rectangle 0,10 31,20'
    -fill '#2040d0' -draw 'rectangle 0,21 31,31'
    -fill '#808080' -stroke white -draw 'rectangle 8,8 30,30'
    -fill white -stroke none -draw 'rectangle 10,10 28,16')

qn=(-fill none -stroke '#008080' -strokewidth 5 -draw 'circle 15,15 15,4'
    -stroke '#303030' -strokewidth 3 -draw 'line 8,29 29,3'
    -fill '#303030' -stroke none -draw 'polygon 29,3 22,6 26,10')

dt=(-fill '#203040' -draw 'roundrectangle 0,0 31,31 5,5'
    -fill none -stroke '#f0c020' -strokewidth 3
    -draw 'polyline 11,8 4,16 11,24' -draw 'polyline 21,8 28,16 21,24'
    -stroke white -strokewidth 2 -draw 'line 13,25 19,7')

for size in 32 48 64; do
  draw tl $size "${tl[@]}"
  draw qn $size "${qn[@]}"
  draw dt $size "${dt[@]}"
done
for name in tl qn dt; do
  for size in 16 20 24 40; do
    convert "$tmp/$name-64.png" -filter Lanczos -resize "${size}x${size}" "PNG32:$tmp/$name-$size.png"
  done
  convert "$tmp/$name"-{16,20,24,32,40,48,64}.png "${name}icon.ico"
done
