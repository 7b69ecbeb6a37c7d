#!/bin/sh
# Makes the .bmp fixtures from the three reference pictures (.ppm) with ImageMagick;
# the top-down files and the palette-count variants are the ImageMagick files with
# their header and rows rearranged by the few lines of Python below (ImageMagick writes
# only bottom-up files with a full biClrUsed). The outputs are committed; run this only
# to make them again.
set -eu
cd "$(dirname "$0")"
convert blackwhite.ppm -type Bilevel BMP3:depth1.bmp
convert colors12.ppm -type Palette BMP3:depth4.bmp
convert colors18.ppm -type Palette -compress None BMP3:depth8.bmp
convert colors18.ppm -type Palette BMP3:depth8-rle.bmp
convert colors18.ppm -type TrueColor BMP3:depth24.bmp
convert colors18.ppm -alpha set -define bmp3:alpha=true BMP3:depth32.bmp
python3 - <<'PY'
import struct

def parts(name):
    data = open(name, "rb").read()
    size, w, h, planes, bpp, comp, image, xp, yp, used, important = struct.unpack("<IiiHHIIiiII", data[14:54])
    palette_count = used if used else (1 << bpp if bpp <= 8 else 0)
    start = 14 + size + 4 * palette_count
    stride = (w * bpp + 31) // 32 * 4
    rows = [data[start + y * stride:start + (y + 1) * stride] for y in range(abs(h))]
    return data[:54], data[54:start], rows

def write(name, header, palette, rows, height=None, used=None):
    header = bytearray(header)
    if height is not None:
        struct.pack_into("<i", header, 22, height)
    if used is not None:
        struct.pack_into("<I", header, 46, used)
    body = bytes(header) + palette + b"".join(rows)
    struct.pack_into("<I", header, 2, len(body))
    struct.pack_into("<I", header, 10, 54 + len(palette))
    open(name, "wb").write(bytes(header) + palette + b"".join(rows))

for depth in (1, 4, 8, 24, 32):
    header, palette, rows = parts("depth%d.bmp" % depth)
    height = struct.unpack_from("<i", header, 22)[0]
    write("depth%d-topdown.bmp" % depth, header, palette, rows[::-1], height=-height)
# biClrUsed 0: the depth's full palette is meant.
header, palette, rows = parts("depth4.bmp")
write("depth4-noclrused.bmp", header, palette, rows, used=0)
header, palette, rows = parts("depth8.bmp")
write("depth8-noclrused.bmp", header, palette, rows, used=0)
# biClrUsed 18: only the colours in use are stored.
write("depth8-clrused18.bmp", header, palette[:18 * 4], rows, used=18)
PY
