#!/usr/bin/env python3
"""Writes the macro display's two arrow glyphs as 7 x 9 pixel, 1 bit per pixel BMP files.

    make_arrow_glyphs.py OUT_DIR   ->  OUT_DIR/arrow_down.bmp (a key press), arrow_up.bmp (a release)

Black on white; colour 0 of the palette is black, so a monochrome copy draws it in the text
colour. The files depend on nothing but this script, byte for byte.
"""
import os
import struct
import sys

WIDTH, HEIGHT = 7, 9

# Black columns (1-based, from the left) of each row of the down arrow, from the top.
DOWN = [(3, 5), (3, 5), (3, 5), (3, 5), (3, 5), (1, 7), (2, 6), (3, 5), (4, 4)]


def rows(shape):
    """Each row as 7 booleans, True for black."""
    return [[first <= x + 1 <= last for x in range(WIDTH)] for first, last in shape]


def bmp(pixel_rows):
    stride = 4  # 7 bits fit one byte; rows are padded to four
    data = b""
    for row in reversed(pixel_rows):  # bottom-up
        bits = 0
        for x, black in enumerate(row):
            if not black:
                bits |= 0x80 >> x  # 1 = palette colour 1 (white)
        data += bytes([bits]) + b"\0" * (stride - 1)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(data), 2835, 2835, 2, 2)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + data


def main(out):
    os.makedirs(out, exist_ok=True)
    down = rows(DOWN)
    for name, picture in (("arrow_down.bmp", down), ("arrow_up.bmp", list(reversed(down)))):
        with open(os.path.join(out, name), "wb") as f:
            f.write(bmp(picture))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
