#!/usr/bin/env python3
"""Turns an uncompressed 24-bit BMP file (as the Windows test driver saves its pictures) into
a PNG file, with the standard library only.

Usage: bmp-to-png.py picture.bmp picture.png
"""
import struct
import sys
import zlib


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


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    write_png(sys.argv[2], *read_bmp(sys.argv[1]))


if __name__ == "__main__":
    main()
