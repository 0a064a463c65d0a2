#!/usr/bin/env bash
# Renders mozaru.svg into the PNG sizes the desktops use and the Windows icon.
# The results are committed; run this (rsvg-convert from librsvg2-bin,
# convert from imagemagick) after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
sizes=(16 22 24 32 48 64 128 256)
for size in "${sizes[@]}"; do
    rsvg-convert -w "$size" -h "$size" mozaru.svg -o "mozaru-$size.png"
done
convert mozaru-16.png mozaru-24.png mozaru-32.png mozaru-48.png mozaru-64.png mozaru-256.png mozaru.ico
