#!/usr/bin/env bash
# Renders the PNG sizes of every icon from its SVG into resources/icons/SIZE/. The PNGs are
# committed, so that building needs no SVG renderer; run this again after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (Debian package librsvg2-bin)" >&2; exit 1; }
for size in 16 32 48 128 256; do
    mkdir -p "$size"
    for svg in *.svg; do
        rsvg-convert --width "$size" --height "$size" "$svg" --output "$size/${svg%.svg}.png"
    done
done
