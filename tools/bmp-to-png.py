#!/usr/bin/env python3
"""Turns an uncompressed 24-bit BMP file (as the Windows test driver saves its pictures) into
a PNG file, with the standard library only.

Usage: bmp-to-png.py picture.bmp picture.png
"""
import struct
import sys

from pngfile import RGB, write_png


def read_bmp(path):
    data = open(path, "rb").read()
    if data[:2] != b"BM":
        raise SystemExit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise SystemExit(f"{path}: only uncompressed 24-bit BMP files are supported")
    row_bytes = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * row_bytes
        bgr = data[start:start + width * 3]
        rows.append(bytes(b for i in range(0, len(bgr), 3) for b in (bgr[i + 2], bgr[i + 1], bgr[i])))
    if height > 0:  # bottom-up
        rows.reverse()
    return width, abs(height), rows


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    write_png(sys.argv[2], *read_bmp(sys.argv[1]), RGB)


if __name__ == "__main__":
    main()
