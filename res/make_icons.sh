#!/usr/bin/env bash
# Draws the three icons from simple shapes, each a 32x32 icon with one image:
#   tlicon.ico  the program: a pointer-sized box over red, green and blue bands
#   qnicon.ico  the maker: a teal ring with a quill stroke through it
#   dticon.ico  the development tool: angle brackets around a slash on a dark tile
# Run by hand when a drawing changes; the .ico files are committed.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -r "$tmp"' EXIT

convert -size 32x32 xc:none \
  -fill '#d02020' -draw 'rectangle 0,0 31,9' \
  -fill '#20a020' -draw 'rectangle 0,10 31,20' \
  -fill '#2040d0' -draw 'rectangle 0,21 31,31' \
  -fill '#808080' -stroke white -draw 'rectangle 8,8 30,30' \
  -fill white -stroke none -draw 'rectangle 10,10 28,16' \
  "PNG32:$tmp/tl.png"

convert -size 32x32 xc:none \
  -fill none -stroke '#008080' -strokewidth 5 -draw 'circle 15,15 15,4' \
  -stroke '#303030' -strokewidth 3 -draw 'line 8,29 29,3' \
  -fill '#303030' -stroke none -draw 'polygon 29,3 22,6 26,10' \
  "PNG32:$tmp/qn.png"

convert -size 32x32 xc:none \
  -fill '#203040' -draw 'roundrectangle 0,0 31,31 5,5' \
  -fill none -stroke '#f0c020' -strokewidth 3 \
  -draw 'polyline 11,8 4,16 11,24' -draw 'polyline 21,8 28,16 21,24' \
  -stroke white -strokewidth 2 -draw 'line 13,25 19,7' \
  "PNG32:$tmp/dt.png"

convert "$tmp/tl.png" tlicon.ico
convert "$tmp/qn.png" qnicon.ico
convert "$tmp/dt.png" dticon.ico
