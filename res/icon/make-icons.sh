#!/usr/bin/env bash
# Makes the program icon's PNGs and lamino.ico from lamino.svg.
# Needs rsvg-convert (Debian: librsvg2-bin) and ImageMagick's convert (Debian: imagemagick).
set -euo pipefail
cd "$(dirname "$0")"

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "make-icons.sh: $tool not found" >&2; exit 1; }
done

pngs=()
for n in 16 24 32 48 64 128 256; do
    rsvg-convert --width "$n" --height "$n" --output "lamino-$n.png" lamino.svg
    pngs+=("lamino-$n.png")
done

# One .ico with every size, transparency kept.
convert "${pngs[@]}" -background none lamino.ico
echo "made ${pngs[*]} lamino.ico"
