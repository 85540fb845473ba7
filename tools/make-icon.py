#!/usr/bin/env python3
"""Draws Quorvel's icon and writes it as a Windows icon file.

The icon holds one image: 48 x 48 pixels, 256 colours (8 bits per pixel), 3752 bytes of image
data (BITMAPINFOHEADER 40 + palette 1024 + colour pixels 2304 + transparency mask 384). The
picture: a parcel with a green arrow going into it, standing on a piece of track.

Usage: make-icon.py [output.ico]   (default: app/win32/Quorvel.ico beside this folder)
"""
import pathlib
import struct
import sys

SIZE = 48
TRANSPARENT = None

# Palette index: (red, green, blue). Unused entries stay black.
PALETTE = {
    0: (0, 0, 0),
    1: (255, 255, 255),
    2: (200, 150, 90),    # parcel, front
    3: (170, 120, 65),    # parcel, side
    4: (225, 185, 125),   # parcel, top
    5: (110, 70, 35),     # parcel, edges
    6: (235, 225, 200),   # tape
    7: (30, 150, 60),     # arrow
    8: (15, 95, 35),      # arrow, outline
    9: (120, 120, 125),   # rails
    10: (90, 60, 40),     # sleepers
    11: (60, 60, 65),     # rail shadow
}


def draw():
    """The picture as rows of palette indices, top row first; None is transparent."""
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        """Fills the pixels x0 <= x <= x1, y0 <= y <= y1."""
        for y in range(max(y0, 0), min(y1 + 1, SIZE)):
            for x in range(max(x0, 0), min(x1 + 1, SIZE)):
                pixels[y][x] = colour

    # Track: two rails on sleepers along the bottom.
    for x in range(2, 46, 6):
        fill(x, 42, x + 3, 46, 10)
    fill(0, 42, 47, 43, 9)
    fill(0, 44, 47, 44, 11)

    # Parcel in oblique view: the front face, the top and the right side set back by DEPTH.
    left, right, top, bottom, depth = 8, 33, 22, 40, 6
    for k in range(depth + 1):
        fill(left + k, top - k, right + k, top - k, 4)         # top face
        fill(right + k, top - k, right + k, bottom - k, 3)     # side face
    fill(left, top, right, bottom, 2)                          # front face
    for k in range(depth + 1):                                 # tape across the top
        fill(19 + k, top - k, 23 + k, top - k, 6)
    fill(19, top, 23, bottom, 6)                               # tape down the front
    edges = 5
    fill(left, top, right, top, edges)
    fill(left, bottom, right, bottom, edges)
    fill(left, top, left, bottom, edges)
    fill(right, top, right, bottom, edges)
    fill(left + depth, top - depth, right + depth, top - depth, edges)
    fill(right + depth, top - depth, right + depth, bottom - depth, edges)
    for k in range(depth + 1):
        fill(left + k, top - k, left + k, top - k, edges)
        fill(right + k, top - k, right + k, top - k, edges)
        fill(right + k, bottom - k, right + k, bottom - k, edges)

    # Arrow: a shaft and a head pointing down into the parcel, outlined.
    centre = 24
    fill(centre - 4, 0, centre + 4, 10, 8)
    fill(centre - 3, 0, centre + 3, 10, 7)
    for row in range(10):
        half = 9 - row
        fill(centre - half - 1, 10 + row, centre + half + 1, 10 + row, 8)
        if half > 0:
            fill(centre - half, 10 + row, centre + half, 10 + row, 7)
    return pixels


def icon_image(pixels):
    """The image as an icon stores it: header, palette, colour rows and mask rows, bottom-up."""
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, 0, 0, 0, 0, 0)
    palette = b"".join(
        struct.pack("<BBBB", *reversed(PALETTE.get(i, (0, 0, 0))), 0) for i in range(256))
    colours = bytearray()
    mask = bytearray()
    mask_row_bytes = ((SIZE + 31) // 32) * 4
    for row in reversed(pixels):
        colours.extend(0 if p is TRANSPARENT else p for p in row)
        bits = bytearray(mask_row_bytes)
        for x, p in enumerate(row):
            if p is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask.extend(bits)
    image = header + palette + bytes(colours) + bytes(mask)
    assert len(image) == 3752, len(image)
    return image


def icon_file(image):
    """ICONDIR with one ICONDIRENTRY, then the image."""
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "app" / "win32" / "Quorvel.ico"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    output.write_bytes(icon_file(icon_image(draw())))


if __name__ == "__main__":
    main()
