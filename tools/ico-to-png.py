#!/usr/bin/env python3
"""Turns the first image of a Windows icon file (8 bits per pixel with a palette and a
transparency mask, as tools/make-icon.py writes it) into an RGBA PNG file, with the standard
library only. The Linux package's icon is made this way from the Windows program's own icon.

Usage: ico-to-png.py icon.ico icon.png
"""
import struct
import sys

from pngfile import RGBA, write_png


def read_icon(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count < 1:
        raise SystemExit(f"{path}: not an icon file")
    _, _, _, _, _, _, _, offset = struct.unpack_from("<BBBBHHII", data, 6)
    header_size, width, double_height, _, bits, compression = struct.unpack_from(
        "<IiiHHI", data, offset)
    height = double_height // 2
    if bits != 8 or compression != 0:
        raise SystemExit(f"{path}: only uncompressed 8-bit icon images are supported")
    palette_start = offset + header_size
    palette = [struct.unpack_from("<BBBB", data, palette_start + 4 * i)[:3] for i in range(256)]
    pixels_start = palette_start + 4 * 256
    colour_row = (width + 3) & ~3
    mask_start = pixels_start + colour_row * height
    mask_row = ((width + 31) // 32) * 4
    rows = []
    for y in range(height):  # bottom-up in the file
        source = height - 1 - y
        row = bytearray()
        for x in range(width):
            blue, green, red = palette[data[pixels_start + source * colour_row + x]]
            masked = data[mask_start + source * mask_row + x // 8] >> (7 - x % 8) & 1
            row += bytes((red, green, blue, 0 if masked else 255))
        rows.append(bytes(row))
    return width, height, rows


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    write_png(sys.argv[2], *read_icon(sys.argv[1]), RGBA)


if __name__ == "__main__":
    main()
