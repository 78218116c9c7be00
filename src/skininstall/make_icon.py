#!/usr/bin/env python3
# Draws the installer's 32x32 icon (a box with a down arrow) and writes it as an .ico file.
import struct
import sys

SIZE = 32


def pixel(x, y):
    """BGRA of one pixel; y counts from the top."""
    inside_box = 4 <= x < 28 and 14 <= y < 28
    box_edge = inside_box and (x in (4, 27) or y in (14, 27))
    arrow = (13 <= x < 19 and 2 <= y < 12) or (abs(x - 15.5) < (20 - y) and 11 <= y < 20)
    if arrow:
        return (20, 140, 230, 255)
    if box_edge:
        return (60, 60, 60, 255)
    if inside_box:
        return (120, 200, 240, 255)
    return (0, 0, 0, 0)


def main(path):
    rows = [b"".join(bytes(pixel(x, y)) for x in range(SIZE)) for y in range(SIZE)]
    xor = b"".join(reversed(rows))  # bottom-up
    mask = b"\0" * (SIZE * SIZE // 8)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    with open(path, "wb") as out:
        out.write(ico + image)


if __name__ == "__main__":
    main(sys.argv[1])
