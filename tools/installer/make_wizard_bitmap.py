#!/usr/bin/python3
"""The picture on the left of Setup's welcome and finish pages (164 x 314 pixels, a 24-bit BMP as
the setup compiler wants it), in the colours of the default skin with its mouse icon.

Usage: make_wizard_bitmap.py OUT.bmp VERSION"""
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "skingen"))
import draw  # noqa: E402
from skingen import main_icon  # noqa: E402

WIDTH, HEIGHT = 164, 314


def wizard_picture(version):
    img = Image.new("RGB", (WIDTH, HEIGHT), draw.BODY)
    pen = ImageDraw.Draw(img)
    # A soft glow from the top, then the accent line the skin's windows carry under their title.
    for y in range(120):
        pen.line([(0, y), (WIDTH, y)], fill=draw.mix(draw.STAGE, draw.BODY, y / 120.0))
    pen.rectangle((0, HEIGHT - 6, WIDTH, HEIGHT), fill=draw.ACCENT_DARK)
    pen.rectangle((0, HEIGHT - 8, WIDTH, HEIGHT - 7), fill=draw.ACCENT)
    icon = main_icon(64)
    img.paste(icon, ((WIDTH - 64) // 2, 44), icon)
    centre = WIDTH // 2
    pen.text((centre, 130), "Pointwick", font=draw.font(22, bold=True), fill=draw.TEXT_HI, anchor="mt")
    pen.text((centre, 160), "Mouse configuration", font=draw.font(12), fill=draw.DIM, anchor="mt")
    pen.text((centre, 178), "Version %s" % version, font=draw.font(11), fill=draw.FAINT, anchor="mt")
    for i, line in enumerate(("Nine buttons", "five profiles", "your way")):
        pen.text((centre, 232 + 16 * i), line, font=draw.font(12, bold=(i == 2)),
                 fill=draw.ACCENT_HI if i == 2 else draw.TEXT, anchor="mt")
    return img


def main(out, version):
    wizard_picture(version).save(out, format="BMP")
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
