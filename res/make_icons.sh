#!/usr/bin/env bash
# Draws the program icon from simple shapes: a pointer-sized box over red, green and blue bands.
# Run by hand when the drawing changes; the .ico files are committed.
set -euo pipefail
cd "$(dirname "$0")"
draw() {  # size output
  local s=$1 out=$2 t=$(( $1 / 3 ))
  convert -size "${s}x${s}" xc:none \
    -fill '#d02020' -draw "rectangle 0,0 $((s - 1)),$((t - 1))" \
    -fill '#20a020' -draw "rectangle 0,$t $((s - 1)),$((2 * t - 1))" \
    -fill '#2040d0' -draw "rectangle 0,$((2 * t)) $((s - 1)),$((s - 1))" \
    -fill '#808080' -stroke white -draw "rectangle $((s / 4)),$((s / 4)) $((s - 2)),$((s - 2))" \
    -fill white -stroke none -draw "rectangle $((s / 4 + 2)),$((s / 4 + 2)) $((s - 4)),$((s / 2))" \
    "PNG32:$out"
}
tmp=$(mktemp -d)
draw 16 "$tmp/16.png"
draw 32 "$tmp/32.png"
convert "$tmp/16.png" "$tmp/32.png" tlicon.ico
rm -r "$tmp"
