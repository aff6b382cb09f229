#!/usr/bin/env bash
# Regenerates the raster artwork in resources/ from its SVG sources in
# resources/artwork/: the header band picture Background.png and the
# application icon icon.ico. The results are committed; run this after
# changing a source and commit both.
#
# Needs rsvg-convert (librsvg2-bin), icotool (icoutils) and ImageMagick.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
artwork="$root/resources/artwork"
out="$root/resources"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The band is stretched over a 720 x 320 widget, so it is drawn at exactly that size.
rsvg-convert --width 720 --height 320 --format png \
    --output "$work/background.png" "$artwork/background.svg"
convert "$work/background.png" -strip -define png:color-type=6 "PNG32:$out/Background.png"

# Eleven images: 256 px stored as PNG, 128 down to 16 px at 32 bits per pixel,
# and a 256-colour 16 px image for shells that ask for a palette icon. icotool
# picks each image's depth from its pixels: soft edges give 32 bits, while the
# palette image has on/off transparency and so is stored at 8 bits.
sizes=(128 96 80 72 64 48 32 24 16)
rsvg-convert --width 256 --height 256 --format png --output "$work/icon-256.png" "$artwork/icon.svg"
args=(--raw="$work/icon-256.png")
for size in "${sizes[@]}"; do
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$work/icon-$size.png" "$artwork/icon.svg"
    args+=("$work/icon-$size.png")
done

convert "$work/icon-16.png" -strip -channel A -threshold 50% +channel -colors 255 \
    "PNG8:$work/icon-16-palette.png"
args+=("$work/icon-16-palette.png")

icotool --create --output="$out/icon.ico" "${args[@]}"
icotool --list "$out/icon.ico"
