#!/usr/bin/env bash
# Draws the program icon (a window, and a dashed one it hides) at 16, 32 and 48 pixels.
set -euo pipefail
out=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for s in 16 32 48; do
  r=$((s / 6))
  convert -size ${s}x${s} xc:none \
    -fill '#2f6fd6' -draw "roundrectangle 0,0 $((s - 1)),$((s - 1)) $r,$r" \
    -fill '#ffffff' -draw "rectangle $((s * 3 / 16)),$((s * 4 / 16)) $((s * 11 / 16)),$((s * 12 / 16))" \
    -fill '#2f6fd6' -draw "rectangle $((s * 4 / 16)),$((s * 6 / 16)) $((s * 10 / 16)),$((s * 11 / 16))" \
    -stroke '#ffffff' -strokewidth 1 -fill none \
    -draw "stroke-dasharray 2 2 rectangle $((s * 7 / 16)),$((s * 2 / 16)) $((s * 14 / 16)),$((s * 9 / 16))" \
    "$tmp/icon$s.png"
done
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "$out"
