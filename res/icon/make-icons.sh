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

# One .ico with every size, transparency kept. Windows (Vista and later)
# reads PNG entries at any size: the sizes from 48 up are stored as the PNGs
# themselves, a seventh of their bitmaps' size; the small ones stay bitmaps.
convert "${pngs[@]}" -background none lamino.ico
python3 - lamino.ico 48 64 128 256 <<'PY'
import struct, sys
path, png_sizes = sys.argv[1], {int(n) for n in sys.argv[2:]}
data = open(path, 'rb').read()
count = struct.unpack_from('<HHH', data)[2]
entries = []
for i in range(count):
    width, height, colours, reserved, planes, bits, size, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
    pixels = width or 256
    image = open(f'lamino-{pixels}.png', 'rb').read() if pixels in png_sizes else data[offset:offset + size]
    entries.append((width, height, colours, reserved, planes, bits, image))
offset = 6 + 16 * len(entries)
out = bytearray(struct.pack('<HHH', 0, 1, len(entries)))
for width, height, colours, reserved, planes, bits, image in entries:
    out += struct.pack('<BBBBHHII', width, height, colours, reserved, planes, bits, len(image), offset)
    offset += len(image)
for entry in entries:
    out += entry[-1]
open(path, 'wb').write(out)
PY
echo "made ${pngs[*]} lamino.ico"
