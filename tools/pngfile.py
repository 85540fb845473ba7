"""Writes an 8-bit PNG file from rows of pixels, with nothing but the standard library."""
import struct
import zlib

RGB = 2   # colour type of rows of red, green, blue bytes
RGBA = 6  # colour type of rows of red, green, blue, alpha bytes


def write_png(path, width, height, rows, colour_type):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
