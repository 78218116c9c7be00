"""Default skin generator: writes every skin description, picture and sound
the programs read, and the two assets of the sample language library.

    /usr/bin/python3 tools/skingen/skingen.py --out DIR --lan-out LANDIR [--sheet PNG]
                                              [--scales 125 150 ...]
"""

import argparse
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter

# The build runs this from the source tree: leave no byte-code behind there.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import layout as L  # noqa: E402
import media  # noqa: E402
import draw  # noqa: E402
from draw import (ACCENT, ACCENT_DARK, ACCENT_HI, BODY, BODY_EDGE, DIM, FAINT,  # noqa: E402
                  GROOVE, HEADER, KEY_COLOUR, OUTSIDE, STAGE, STAGE_EDGE, TEXT,
                  TEXT_HI, TEXT_OFF, R, S, box_of, darken, ellipse, fill_rect, fit_font,
                  font, lighten, line, mix, polygon, rrect, shape_fill, text, text_length,
                  text_vertical)

STATES = ("normal", "over", "down", "disabled")
SCREEN_STATE = {"Main": "normal", "Main2": "normal", "Over": "over", "Down": "down",
                "Disabled": "disabled"}
SCREEN_SUFFIX = {"Main": "normal", "Main2": "normal", "Over": "over", "Down": "down",
                 "Disabled": "disabled", "Mask": "mask"}

# ---------------------------------------------------------------------------
# Outlines.


def pixel_size(win):
    return (R(win.size[0]), R(win.size[1]))


def outline_mask(win):
    """Hard 0/255 mask of the window's outline (255 = inside), drawn without
    smoothing at the current scale: any grey would read as a fringe."""
    w, h = win.size
    W, H = pixel_size(win)
    m = Image.new("L", (W, H), 0)
    d = ImageDraw.Draw(m)

    def poly(pts, fill):
        d.polygon([(R(x), R(y)) for x, y in pts], fill=fill)
    s = win.shape
    if s is None:
        d.rectangle((0, 0, W - 1, H - 1), fill=255)
        return m
    kind, r = s["kind"], s.get("radius", 8)
    if kind == "main":
        d.rounded_rectangle((0, 0, W - 1, H - 1), radius=R(r), fill=255)
        c = s["chamfer"]
        poly([(0, h - c - 1), (c, h), (0, h)], 0)
        d.rectangle((0, R(h - c), R(2) - 1, H), fill=0)
        poly([(0, h - c), (c, h - 1), (c, h), (0, h)], 0)
    elif kind == "menu":
        t = s["tab"]
        d.rounded_rectangle((0, R(t), W - 1, H - 1), radius=R(r), fill=255)
        poly([(12, t), (20, 0), (28, t)], 255)
    elif kind in ("panel", "strip"):
        d.rounded_rectangle((0, 0, W - 1, H - 1), radius=R(r), fill=255)
        # The hinge side lies against the main window: square corners there.
        if s["hinge"] == "left":
            d.rectangle((0, 0, R(r), H - 1), fill=255)
        else:
            d.rectangle((W - 1 - R(r), 0, W - 1, H - 1), fill=255)
        if kind == "panel":
            # A shallow notch in the outer edge, a grip for the eye.
            x, dx = (W - 1, -R(5)) if s["hinge"] == "left" else (0, R(5))
            mid = h // 2
            d.polygon([(x, R(mid - 22)), (x + dx, R(mid - 14)), (x + dx, R(mid + 14)),
                       (x, R(mid + 22))], fill=0)
    elif kind == "dialog":
        d.rounded_rectangle((0, 0, W - 1, H - 1), radius=R(r), fill=255)
        # Cut the top-right corner diagonally.
        poly([(w - 22, 0), (w, 0), (w, 22)], 0)
    return m


# ---------------------------------------------------------------------------
# Control faces, one function per kind, each drawn in one of the four states.


def button_fills(state, accent=False):
    if accent:
        # Deep enough behind the light captions for 4.5:1 in every state.
        base = {"normal": ((32, 102, 160), (22, 81, 134)),
                "over": ((52, 117, 167), (33, 95, 146)),
                "down": ((18, 71, 118), (25, 86, 139)),
                "disabled": ((54, 62, 74), (50, 57, 68))}
        edge = {"normal": (72, 170, 245), "over": (160, 214, 255),
                "down": (28, 92, 150), "disabled": (66, 72, 84)}
    else:
        base = {"normal": ((66, 72, 86), (52, 57, 68)),
                "over": ((82, 90, 108), (64, 71, 86)),
                "down": ((30, 33, 41), (40, 44, 54)),
                "disabled": ((46, 48, 54), (43, 45, 51))}
        edge = {"normal": (88, 96, 112), "over": ACCENT, "down": ACCENT_DARK,
                "disabled": (60, 63, 70)}
    return base[state], edge[state]


def text_colour(state):
    return {"normal": TEXT, "over": TEXT_HI, "down": (196, 202, 212),
            "disabled": TEXT_OFF}[state]


def shift(state):
    return 1 if state == "down" else 0


def draw_icon(img, name, cx, cy, colour):
    if name == "gear":
        ellipse(img, cx, cy, 6, 6, colour)
        for k in range(8):
            a = k * math.pi / 4
            ellipse(img, cx + 6 * math.cos(a), cy + 6 * math.sin(a), 1.8, 1.8, colour)
        ellipse(img, cx, cy, 2.6, 2.6, GROOVE)
    elif name == "reset":
        pts = [(cx + 6 * math.cos(a / 10.0), cy + 6 * math.sin(a / 10.0))
               for a in range(-20, 45)]
        line(img, pts, colour, 1.8)
        polygon(img, [(cx + 2, cy - 10), (cx + 2, cy - 2), (cx + 8, cy - 6)], colour)
    elif name == "clock":
        ellipse(img, cx, cy, 6, 6, colour)
        ellipse(img, cx, cy, 4.6, 4.6, GROOVE)
        line(img, [(cx, cy - 3.5), (cx, cy), (cx + 2.5, cy + 1.5)], colour, 1.3)
    elif name in ("next", "prev"):
        sgn = 1 if name == "next" else -1
        for off in (-3, 3):
            polygon(img, [(cx + off - 3 * sgn, cy - 5), (cx + off + 3 * sgn, cy),
                          (cx + off - 3 * sgn, cy + 5)], colour)
    elif name in ("import", "export"):
        rrect(img, (cx - 7, cy + 2, 14, 5), 1.5, colour)
        up = name == "export"
        line(img, [(cx, cy - 7), (cx, cy + 1)], colour, 1.8)
        tip = cy - 8 if up else cy + 2
        polygon(img, [(cx - 4, tip + (4 if up else -4)), (cx, tip), (cx + 4, tip + (4 if up else -4))],
                colour)
    elif name == "warning":
        polygon(img, [(cx, cy - 15), (cx + 17, cy + 14), (cx - 17, cy + 14)], (232, 170, 40))
        rrect(img, (cx - 1.5, cy - 6, 3, 12), 1.5, (30, 24, 10))
        ellipse(img, cx, cy + 9, 1.8, 1.8, (30, 24, 10))
    elif name == "question":
        ellipse(img, cx, cy, 16, 16, ACCENT)
        text(img, (cx, cy + 1), "?", font(22, True), (12, 30, 52), "mm")


def face_push(img, it, state):
    x, y, w, h = it.rect
    fill, edge = button_fills(state, it.extra.get("accent"))
    rrect(img, it.rect, 5, fill, edge)
    if state != "down":
        line(img, [(x + 5, y + 1.5), (x + w - 5, y + 1.5)], lighten(fill[0], 0.12), 1)
    s = shift(state)
    col = text_colour(state)
    f = fit_font(it.text, w - 12, 12, True)
    icon = it.extra.get("icon")
    if icon:
        tw = text_length(it.text, f)
        ix = x + w / 2 - (tw + 20) / 2 + 6
        draw_icon(img, icon, ix + s, y + h / 2 + s, ACCENT if state in ("normal", "over") else col)
        text(img, (ix + 14 + s, y + h / 2 + s), it.text, f, col, "lm")
    else:
        text(img, (x + w / 2 + s, y + h / 2 + s), it.text, f, col, "mm")


def chip(img, rect, state, caption=None):
    """The chip of a hotspot and of a label-sheet cell."""
    x, y, w, h = rect
    fills = {"normal": ((60, 66, 80), (47, 52, 63)), "over": ((78, 86, 104), (62, 69, 84)),
             "down": ((28, 31, 38), (36, 40, 49)), "disabled": ((45, 47, 53), (42, 44, 50))}
    edges = {"normal": (90, 98, 114), "over": ACCENT, "down": ACCENT_DARK,
             "disabled": (58, 61, 68)}
    rrect(img, rect, 5, fills[state], edges[state])
    if state in ("normal", "over"):
        line(img, [(x + 5, y + 1.5), (x + w - 5, y + 1.5)], lighten(fills[state][0], 0.1), 1)
    if caption:
        s = shift(state)
        col = {"normal": (232, 235, 240), "over": TEXT_HI, "down": (200, 206, 214),
               "disabled": TEXT_OFF}[state]
        f = fit_font(caption, w - 10, 11, True)
        text(img, (x + w / 2 + s, y + h / 2 + s), caption, f, col, "mm")


def chip_extension(img, rect, state):
    """The drop-down end of a cell: shown when a cell is widened by 20 px."""
    x, y, w, h = rect
    ext = (x + w + 2, y, L.CELL_EXTRA - 2, h)
    fill, edge = button_fills(state)
    rrect(img, ext, 5, fill, edge)
    cx, cy = ext[0] + ext[2] / 2 + shift(state), y + h / 2 + shift(state)
    col = ACCENT if state in ("normal", "over") else text_colour(state)
    polygon(img, [(cx - 4, cy - 2), (cx + 4, cy - 2), (cx, cy + 3)], col)


def face_chip(img, it, state):
    chip(img, it.rect, state)


def face_cell(img, it, state):
    chip(img, it.rect, state, it.text)
    chip_extension(img, it.rect, state)


def face_cmd(img, it, state):
    x, y, w, h = it.rect
    cell = (x, y, L.CELL_W, h)
    chip(img, cell, state, L.CELLS[it.extra["cell"]][0])
    chip_extension(img, cell, state)


def face_row(img, it, state):
    x, y, w, h = it.rect
    if it.extra.get("disabled_look") is not None and state == "disabled":
        pass
    s = shift(state)
    if state == "over":
        rrect(img, (x, y + 1, w, h - 2), 4, ((44, 116, 176), (30, 96, 155)))
    elif state == "down":
        rrect(img, (x, y + 1, w, h - 2), 4, ((22, 78, 130), (28, 92, 150)))
    col = {"normal": TEXT, "over": TEXT_HI, "down": (210, 222, 236), "disabled": TEXT_OFF}[state]
    mark = {"normal": ACCENT, "over": TEXT_HI, "down": ACCENT_HI, "disabled": (70, 74, 82)}[state]
    ellipse(img, x + 11 + s, y + h / 2 + s, 2, 2, mark)
    text(img, (x + 21 + s, y + h / 2 + s), it.text, fit_font(it.text, w - 28, 12, False), col, "lm")


def face_profile(img, it, state):
    x, y, w, h = it.rect
    selected = state == "down"
    if selected:
        rrect(img, it.rect, 6, SELECTED_FILL, ACCENT)
    else:
        fill, edge = button_fills(state)
        rrect(img, it.rect, 6, fill, edge)
    num_bg = {"normal": (34, 38, 46), "over": ACCENT_DARK, "down": ACCENT,
              "disabled": (40, 42, 48)}[state]
    ellipse(img, x + 15, y + h / 2, 8, 8, num_bg)
    ncol = {"normal": DIM, "over": TEXT_HI, "down": (10, 26, 44), "disabled": TEXT_OFF}[state]
    text(img, (x + 15, y + h / 2), str(it.extra["number"]), font(11, True), ncol, "mm")
    text(img, (x + 31, y + h / 2), it.text, font(12, True), text_colour(state), "lm")


# The small word above a tile's number: quieter than the number, readable on every fill.
TILE_LABEL = {"normal": (182, 188, 200), "over": (210, 215, 224), "down": (200, 214, 230),
              "disabled": TEXT_OFF}
# A chosen profile's fill.
SELECTED_FILL = ((31, 86, 137), (23, 68, 112))


def face_tile(img, it, state):
    x, y, w, h = it.rect
    if state == "down":
        rrect(img, it.rect, 6, SELECTED_FILL, ACCENT)
    else:
        fill, edge = button_fills(state)
        rrect(img, it.rect, 6, fill, edge)
    col = text_colour(state) if state != "down" else TEXT_HI
    text(img, (x + w / 2, y + 12), "Profile", font(9, False), TILE_LABEL[state], "mm")
    text(img, (x + w / 2, y + 29), it.text, font(18, True), col, "mm")


def face_segment(img, it, state):
    x, y, w, h = it.rect
    if state == "down":
        rrect(img, it.rect, 6, ((35, 115, 184), (26, 94, 157)), ACCENT_HI)
        col = TEXT_HI
    else:
        fill, edge = button_fills(state)
        rrect(img, it.rect, 6, fill, edge)
        col = text_colour(state)
    text(img, (x + w / 2, y + h / 2), it.text, font(12, True), col, "mm")


def checkbox(img, x, y, state, checked):
    box = (x, y, 14, 14)
    if checked:
        rrect(img, box, 3, ACCENT, ACCENT_HI)
        line(img, [(x + 3, y + 7), (x + 6, y + 10), (x + 11, y + 4)], (12, 30, 52), 2)
    else:
        edge = {"normal": (100, 108, 124), "over": ACCENT, "disabled": (62, 65, 72)}[state]
        rrect(img, box, 3, GROOVE, edge)


def face_check(img, it, state):
    x, y, w, h = it.rect
    if state == "over":
        rrect(img, it.rect, 5, (44, 49, 60))
    checkbox(img, x + 4, y + (h - 14) // 2, state, state == "down")
    col = text_colour(state) if state != "down" else TEXT
    text(img, (x + 24, y + h / 2), it.text, font(12, False), col, "lm")


def face_switch(img, it, state):
    x, y, w, h = it.rect
    if state == "over":
        rrect(img, it.rect, 5, (44, 49, 60))
    on = state == "down"
    text(img, (x + 4, y + h / 2), it.text, font(12, False), text_colour(state) if not on else TEXT, "lm")
    px, py = x + w - 36, y + (h - 16) / 2
    if on:
        rrect(img, (px, py, 32, 16), 8, ACCENT)
        ellipse(img, px + 24, py + 8, 6, 6, TEXT_HI)
    else:
        rrect(img, (px, py, 32, 16), 8, (22, 24, 29), ACCENT if state == "over" else (78, 84, 98))
        ellipse(img, px + 8, py + 8, 5, 5, (140, 146, 158) if state != "disabled" else (70, 73, 80))


def face_close(img, it, state):
    x, y, w, h = it.rect
    bg = {"normal": None, "over": (200, 62, 62), "down": (142, 40, 40), "disabled": None}[state]
    if bg:
        rrect(img, it.rect, 5, bg)
    col = {"normal": DIM, "over": TEXT_HI, "down": (230, 200, 200), "disabled": TEXT_OFF}[state]
    cx, cy = x + w / 2 + shift(state), y + h / 2 + shift(state)
    line(img, [(cx - 4.5, cy - 4.5), (cx + 4.5, cy + 4.5)], col, 1.6)
    line(img, [(cx - 4.5, cy + 4.5), (cx + 4.5, cy - 4.5)], col, 1.6)


def face_badge(img, it, state):
    """A small device indicator: a mouse glyph; the program draws its status light."""
    x, y, w, h = it.rect
    if state == "over":
        rrect(img, it.rect, 5, (48, 53, 64))
    elif state == "down":
        rrect(img, it.rect, 5, (18, 20, 25))
    col = {"normal": DIM, "over": TEXT_HI, "down": DIM, "disabled": TEXT_OFF}[state]
    cx, cy = x + w / 2 - 2 + shift(state), y + h / 2 + shift(state)
    rrect(img, (cx - 4.5, cy - 7, 9, 14), 4.5, col)
    rrect(img, (cx - 3, cy - 5.5, 6, 11), 3, HEADER)
    line(img, [(cx, cy - 5), (cx, cy - 1.5)], col, 1.2)


def arrow_picture(direction, state):
    """One 19x20 arrow picture; its top-left 9x13 also reads as an arrow."""
    img = Image.new("RGB", (R(L.ARROW_W), R(L.ARROW_H)), BODY)
    fill = {"normal": ((62, 68, 82), (48, 53, 64)), "over": ((80, 88, 106), (62, 69, 84)),
            "down": ((26, 29, 36), (36, 40, 49))}[state]
    edge = {"normal": (92, 100, 116), "over": ACCENT, "down": ACCENT_DARK}[state]
    rrect(img, (0, 0, L.ARROW_W, L.ARROW_H), 4, fill, edge)
    col = {"normal": ACCENT, "over": ACCENT_HI, "down": (140, 190, 230)}[state]
    s = shift(state)
    if direction == "right":
        polygon(img, [(3 + s, 2.5 + s), (9 + s, 6.5 + s), (3 + s, 10.5 + s)], col)
        polygon(img, [(8 + s, 6.5 + s), (15 + s, 11 + s), (8 + s, 15.5 + s)], col)
    else:
        polygon(img, [(12.5 + s, 4.5 + s), (6 + s, 10 + s), (12.5 + s, 15.5 + s)], col)
    return img


def face_arrow(img, it, state):
    st = state if state in ("normal", "over", "down") else "normal"
    img.paste(arrow_picture(it.extra["direction"], st), box_of(it.rect)[:2])


def face_arrow_small(img, it, state):
    st = state if state in ("normal", "over", "down") else "normal"
    pic = arrow_picture(it.extra["direction"], st).crop((0, 0, R(L.ARROW_SMALL_W),
                                                          R(L.ARROW_SMALL_H)))
    img.paste(pic, box_of(it.rect)[:2])


def face_display(img, it, state):
    x, y, w, h = it.rect
    rrect(img, (x - 2, y - 2, w + 4, h + 4), 4, (18, 20, 24), (70, 76, 90))
    fill_rect(img, it.rect, (252, 252, 252))
    for k in range(5):
        ly = y + 2 + 15 * k + 13
        line(img, [(x + 4, ly), (x + w - 4, ly)], (236, 238, 242), 1)


def face_levelbar(img, it, state):
    x, y, w, h = it.rect
    if state == "down":
        rrect(img, it.rect, h / 2, ((96, 196, 255), (36, 140, 226)), (30, 110, 180))
    else:
        rrect(img, it.rect, h / 2, GROOVE, (64, 70, 84))
        for k in range(1, 10):
            tx = x + w * k / 10
            line(img, [(tx, y + 4), (tx, y + h - 4)], (48, 53, 64), 1)


def face_vtrack(img, it, state):
    x, y, w, h = it.rect
    cx = x + w / 2
    n = it.extra.get("ticks", 10)
    for k in range(n):
        ty = y + 6 + (h - 12) * k / (n - 1)
        long_tick = k % (n // 2 if n > 4 else 1) == 0 or k == n - 1
        tl = 5 if long_tick else 3
        line(img, [(x, ty), (x + tl, ty)], (70, 76, 90), 1)
        line(img, [(x + w - tl, ty), (x + w, ty)], (70, 76, 90), 1)
    rrect(img, (cx - 3, y + 2, 6, h - 4), 3, GROOVE, (64, 70, 84))
    # A lit part towards the maximum end.
    rrect(img, (cx - 1, y + 4, 2, h - 8), 1, (36, 96, 150))


def double_click_picture(size=(60, 40)):
    """The double-click test picture: a pointer over a target with two rings."""
    w, h = size
    img = Image.new("RGB", (R(w), R(h)), (40, 44, 54))
    rrect(img, (0, 0, w, h), 6, ((54, 60, 74), (36, 40, 50)), (88, 96, 112))
    cx, cy = w / 2 - 6, h / 2
    ellipse(img, cx, cy, 14, 14, (44, 92, 140))
    ellipse(img, cx, cy, 10, 10, (40, 44, 54))
    ellipse(img, cx, cy, 7, 7, ACCENT)
    ellipse(img, cx, cy, 4, 4, (40, 44, 54))
    ellipse(img, cx, cy, 2, 2, ACCENT_HI)
    px, py = cx + 3, cy + 2
    polygon(img, [(px, py), (px, py + 16), (px + 4, py + 12), (px + 7, py + 18),
                  (px + 9.5, py + 17), (px + 6.5, py + 11), (px + 12, py + 11)], (20, 22, 26))
    polygon(img, [(px + 1, py + 2), (px + 1, py + 13.5), (px + 4.2, py + 10.5),
                  (px + 7.2, py + 16.5), (px + 8.3, py + 16), (px + 5.3, py + 10),
                  (px + 9.8, py + 10)], (240, 242, 246))
    text(img, (w - 4, 4), "2x", font(10, True), ACCENT_HI, "ra")
    return img


def face_testarea(img, it, state):
    x, y, w, h = it.rect
    img.paste(double_click_picture((w, h)), box_of(it.rect)[:2])


def face_rulelist(img, it, state):
    """The well the program profiles dialog draws its rules into; alike in every state."""
    x, y, w, h = it.rect
    rrect(img, (x - 1, y - 1, w + 2, h + 2), 5, GROOVE, (64, 70, 84))


FACES = {
    "push": face_push, "chip": face_chip, "cell": face_cell, "cmd": face_cmd,
    "row": face_row, "profile": face_profile, "tile": face_tile,
    "segment": face_segment, "check": face_check, "switch": face_switch,
    "close": face_close, "badge": face_badge, "arrow": face_arrow,
    "arrow_small": face_arrow_small, "display": face_display,
    "levelbar": face_levelbar, "vtrack": face_vtrack, "testarea": face_testarea,
    "rulelist": face_rulelist,
}

# ---------------------------------------------------------------------------
# Window backgrounds and decorations.


def draw_logo(img):
    """Title area at the top-left: product mark and name."""
    x, y = 12, 8
    rrect(img, (x, y, 22, 22), 6, ((70, 186, 255), (28, 118, 200)))
    rrect(img, (x + 6.5, y + 3.5, 9, 15), 4.5, (12, 30, 52))
    rrect(img, (x + 8, y + 5, 6, 12), 3, (210, 236, 255))
    line(img, [(x + 11, y + 5), (x + 11, y + 9.5)], (12, 30, 52), 1.2)
    text(img, (x + 30, y + 11), "Pointwick", font(17, True), TEXT_HI, "lm")


def mouse_outline(m):
    cx, top, bottom, hw = m["cx"], m["top"], m["bottom"], m["half_w"]
    pts = []
    n = 120
    for k in range(n):
        a = 2 * math.pi * k / n
        c, s = math.cos(a), math.sin(a)
        t = (1 - s) / 2          # 0 at the front, 1 at the back
        px = abs(c) ** (2 / 2.6) * (1 if c >= 0 else -1)
        py = abs(s) ** (2 / 2.8) * (1 if s >= 0 else -1)
        width = hw * (0.84 + 0.16 * math.sin(math.pi * min(1.0, 1.1 * (1 - t)) ** 0.9))
        ymid = (top + bottom) / 2
        pts.append((cx + px * width, ymid - py * (bottom - top) / 2))
    return pts


def draw_mouse(img):
    """Top-down picture of the nine-button mouse, drawn on the stage."""
    m = L.MOUSE
    cx, top, bottom = m["cx"], m["top"], m["bottom"]
    # Cable.
    line(img, [(cx, top + 2), (cx, top - 6), (cx + 6, top - 14), (cx + 4, L.MOUSE_AREA[1] - 2)],
         (60, 66, 80), 3)
    # Soft shadow.
    shadow = Image.new("L", img.size, 0)
    ImageDraw.Draw(shadow).polygon([(S(x + 3), S(y + 5)) for x, y in mouse_outline(m)], fill=120)
    shadow = shadow.filter(ImageFilter.GaussianBlur(S(5)))
    img.paste(Image.new("RGB", img.size, (14, 16, 20)), (0, 0), shadow)
    pts = mouse_outline(m)
    polygon(img, pts, (84, 92, 108))
    inner = [(cx + (x - cx) * 0.975, (top + bottom) / 2 + (y - (top + bottom) / 2) * 0.985)
             for x, y in pts]
    # Body with a light from the upper left.
    xs = [S(p[0]) for p in inner]
    ys = [S(p[1]) for p in inner]
    box = (int(min(xs)), int(min(ys)), int(max(xs)) + 1, int(max(ys)) + 1)
    bw, bh = box[2] - box[0], box[3] - box[1]
    shade = Image.new("RGB", (bw, bh))
    lx, ly = S(cx - 22), S(top + 70)
    for yy in range(bh):
        for xx in range(bw):
            d = math.hypot(box[0] + xx - lx, (box[1] + yy - ly) * 0.7) / S(120.0)
            shade.putpixel((xx, yy), mix((74, 81, 96), (34, 37, 45), min(1.0, d)))
    cover = Image.new("L", img.size, 0)
    ImageDraw.Draw(cover).polygon(list(zip(xs, ys)), fill=255)
    cover = cover.crop(box)
    img.paste(shade, box[:2], cover)
    # Button split: front seam across the body and the centre groove.
    sy = m["split_y"]
    seam = [(x, y) for x, y in inner if y < sy]
    lft = min(x for x, y in inner if abs(y - sy) < 4)
    rgt = max(x for x, y in inner if abs(y - sy) < 4)
    line(img, [(lft + 2, sy + 2), (cx - 30, sy - 4), (cx, sy - 6), (cx + 30, sy - 4),
               (rgt - 2, sy + 2)], (22, 24, 30), 1.6)
    line(img, [(cx, top + 2), (cx, m["wheel"][1] - 2)], (22, 24, 30), 1.6)
    line(img, [(cx, m["wheel"][1] + m["wheel"][3] + 2), (cx, sy - 6)], (22, 24, 30), 1.6)
    del seam
    # Wheel in its slot.
    wx, wy, ww, wh = m["wheel"]
    rrect(img, (wx - 3, wy - 3, ww + 6, wh + 6), 6, (16, 18, 22))
    rrect(img, (wx, wy, ww, wh), 5, ((96, 104, 120), (40, 44, 54)))
    for k in range(3, wh - 2, 4):
        line(img, [(wx + 2.5, wy + k), (wx + ww - 2.5, wy + k)], (30, 33, 40), 1)
    # Tilt marks beside the wheel.
    for sgn in (-1, 1):
        tx = cx + sgn * 13
        polygon(img, [(tx, wy + wh / 2 - 4), (tx + sgn * 4, wy + wh / 2), (tx, wy + wh / 2 + 4)],
                (110, 118, 134))
    # Side buttons on the left flank.
    for (y0, y1) in ((186, 208), (214, 238)):
        xl = min(x for x, y in inner if y0 <= y <= y1)
        rrect(img, (xl - 3, y0, 10, y1 - y0), 4, ((104, 112, 128), (64, 70, 84)), (30, 33, 40))
    # Accent light strip and mark on the palm.
    line(img, [(cx - 26, 262), (cx, 272), (cx + 26, 262)], ACCENT_DARK, 3)
    line(img, [(cx - 24, 262), (cx, 271.2), (cx + 24, 262)], ACCENT, 1.4)
    text(img, (cx, 240), "P", font(13, True), (98, 106, 122), "mm", exempt="logo")


def draw_leaders(img):
    for key, button, rect, target, tip in L.HOTSPOTS:
        x, y, w, h = rect
        left_side = x < L.MOUSE["cx"]
        sx = x + w if left_side else x
        sy = y + h / 2
        bend = sx + (8 if left_side else -8)
        line(img, [(sx, sy), (bend, sy), target], (74, 130, 180), 1)
    for key, button, rect, target, tip in L.HOTSPOTS:
        ellipse(img, target[0], target[1], 6, 6, (14, 40, 66))
        ellipse(img, target[0], target[1], 5, 5, ACCENT)
        text(img, (target[0], target[1] + 0.5), str(button), font(8, True), (8, 22, 38), "mm")


def draw_side_badge(img):
    """The small picture at (22,280): the mouse seen from the side."""
    x, y, w, h = L.BADGE_AREA
    rrect(img, (x, y, w, h), 6, ((44, 49, 60), (36, 40, 49)), (62, 68, 82))
    pts = []
    for k in range(41):
        t = k / 40.0
        pts.append((x + 10 + 46 * t, y + 30 - 14 * math.sin(math.pi * t ** 0.8)))
    pts += [(x + 56, y + 32), (x + 10, y + 32)]
    polygon(img, pts, ((96, 104, 120)))
    polygon(img, [(px, py + 1.5) for px, py in pts[4:20]] + [(pts[19][0], pts[19][1] + 4),
                                                            (pts[4][0], pts[4][1] + 4)],
            (64, 70, 84))
    rrect(img, (x + 22, y + 22, 10, 4), 2, ACCENT)
    rrect(img, (x + 34, y + 22, 10, 4), 2, ACCENT_DARK)
    text(img, (x + 62, y + 14), "9", font(18, True), ACCENT_HI, "la")
    text(img, (x + 62, y + 32), "keys", font(9, False), DIM, "la")
    text(img, (x + 10, y + 40), "USB optical", font(9, False), FAINT, "la")


def main_background(img, win):
    w, h = win.size
    fill_rect(img, (0, 0, w, 32), HEADER)
    fill_rect(img, (0, 32, w, 1), (44, 48, 58))
    draw_logo(img)
    for box in ((10, 54, 140, 284), (504, 54, 166, 284)):
        rrect(img, box, 8, (33, 37, 45), STAGE_EDGE)
    rrect(img, (151, 54, 350, 284), 10, STAGE, STAGE_EDGE)
    # A faint glow behind the mouse.
    glow = Image.new("L", img.size, 0)
    ImageDraw.Draw(glow).ellipse(tuple(S(v) for v in (254, 96, 394, 286)), fill=60)
    glow = glow.filter(ImageFilter.GaussianBlur(S(24)))
    img.paste(Image.new("RGB", img.size, (48, 60, 78)), (0, 0), glow)
    draw_mouse(img)
    draw_leaders(img)
    draw_side_badge(img)


def panel_background(img, win):
    w, h = win.size
    if win.shape and win.shape["kind"] in ("panel", "dialog"):
        top = 30
        band = Image.new("RGB", (img.width, R(top)), HEADER)
        img.paste(band, (0, 0), outline_mask(win).crop((0, 0, img.width, R(top))).filter(
            ImageFilter.MinFilter(2 * R(1) + 1)))
        fill_rect(img, (1, top, w - 2, 1), (44, 48, 58))


def draw_deco(img, win, deco):
    colours = {"dim": DIM, "faint": FAINT}
    for d in deco:
        kind = d[0]
        if kind == "text":
            _, pos, s, size, col, bold = d
            text(img, pos, s, font(size, bold), colours[col])
        elif kind == "rtext":
            _, pos, s, size, col, bold = d
            text(img, pos, s, font(size, bold), colours[col], "ra")
        elif kind == "header":
            _, pos, s = d
            if s:
                text(img, pos, s, font(10, True), FAINT)
        elif kind == "title":
            text(img, d[1], d[2], font(12, True), TEXT)
        elif kind == "label":
            text(img, d[1], d[2], font(12, False), DIM)
        elif kind == "small":
            text(img, d[1], d[2], font(10, False), FAINT)
        elif kind == "rsmall":
            text(img, d[1], d[2], font(10, False), FAINT, "ra")
        elif kind == "csmall":
            text(img, d[1], d[2], font(10, False), FAINT, "mt")
        elif kind == "cgroup":
            (cx, y, gw), s = d[1], d[2]
            text(img, (cx, y), s, font(10, True), FAINT, "mt")
            tw = text_length(s, font(10, True))
            for a, b in ((cx - gw / 2, cx - tw / 2 - 4), (cx + tw / 2 + 4, cx + gw / 2)):
                line(img, [(a, y + 6), (b, y + 6)], (58, 63, 75), 1)
        elif kind == "hline":
            x, y, lw = d[1]
            fill_rect(img, (x, y, lw, 1), (50, 55, 66))
        elif kind == "para":
            x, y, pw = d[1]
            for k, s in enumerate(d[2]):
                text(img, (x, y + 15 * k), s, font(12, False), DIM)
        elif kind == "para_big":
            x, y, pw = d[1]
            for k, s in enumerate(d[2]):
                text(img, (x, y + 18 * k), s, font(14, True), TEXT_HI)
        elif kind == "icon":
            x, y = d[1]
            draw_icon(img, d[2], x + 18, y + 18, ACCENT)
        elif kind == "vtext":
            text_vertical(img, d[1], d[2], font(9, True), FAINT, BODY)


def render(win, state):
    w, h = pixel_size(win)
    img = Image.new("RGB", (w, h), OUTSIDE)
    mask = outline_mask(win)
    if win.shape is None:
        img.paste(STAGE, (0, 0, w, h))
    else:
        shape_fill(img, mask, BODY, BODY_EDGE)
    if win.base == "main":
        main_background(img, win)
    elif win.shape and win.shape["kind"] in ("panel", "dialog"):
        panel_background(img, win)
    if win.shape and win.shape["kind"] == "dialog":
        text(img, (14, 15), win.title.upper(), font(11, True), DIM, "lm")
    draw_deco(img, win, win.deco)
    for it in win.items:
        st = state
        if it.kind == "row" and state == "disabled":
            st = "disabled"
        FACES[it.kind](img, it, st)
    # Nothing inside the outline may be pure white: that colour means "outside".
    white = ImageChops.multiply(*(b.point(lambda v: 255 if v == 255 else 0)
                                  for b in img.split()[:2]))
    white = ImageChops.multiply(white, img.split()[2].point(lambda v: 255 if v == 255 else 0))
    img.paste((252, 252, 252), (0, 0, w, h), white)
    if win.shape is not None:
        img.paste(OUTSIDE, (0, 0, w, h), ImageChops.invert(mask))
    return img


def mask_picture(win):
    m = outline_mask(win)
    out = Image.new("RGB", m.size, (255, 255, 255))
    out.paste((0, 0, 0), (0, 0) + m.size, m)
    return out


# ---------------------------------------------------------------------------
# Writing.


# Display scales rendered besides the 100 percent set, each into a subfolder
# named by its percent; the programs pick one by the monitor's DPI.
SCALES = (125, 150, 175, 200)


def set_folder(percent):
    """The set's folder relative to the skins folder; the 100 percent set is the folder itself."""
    return "" if percent == 100 else str(percent)


def picture_ext(percent):
    # Windows decodes the scaled sets' PNG itself; the 100 percent set stays as it always was.
    return ".bmp" if percent == 100 else ".png"


def picture_name(win, key, percent=100):
    return "%s_%s%s" % (win.base, SCREEN_SUFFIX[key], picture_ext(percent))


def screen_value(win, key, percent):
    """A [Screen] value: the picture named relative to the skins folder."""
    folder = set_folder(percent)
    return (folder + "\\" if folder else "") + picture_name(win, key, percent)


def scaled_rect(rect):
    """(x, y, w, h) with its edges scaled, so neighbours stay neighbours."""
    left, top, right, bottom = box_of(rect)
    return (left, top, right - left, bottom - top)


def write_ini(path, win, percent=100):
    lines = ["; %s of the default skin" % win.title, "[Screen]"]
    for key in win.screen:
        lines.append("%s=%s" % (key, screen_value(win, key, percent)))
    for section in ("BUTTONPOS", "SLIDERS", "MACRODISPLAY", "BUTTONINFO", "RULELIST"):
        items = win.section(section)
        if not items:
            continue
        lines.append("")
        lines.append("[%s]" % section)
        for it in sorted(items, key=lambda i: int(i.key)):
            lines.append("%s=%s" % (it.key, it.value(scaled_rect(it.rect))))
    if win.base == "main":
        lines += ["", "[SETTING]", "SFPos=%d" % R(L.VERSION_POS[0]),
                  "ServiceLight=Light,%d,%d,%d,%d,,FALSE" % scaled_rect(L.SERVICE_LIGHT),
                  "StatusLine=Status,%d,%d,%d,%d,,FALSE" % scaled_rect(L.STATUS_LINE)]
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def save_picture(img, folder, base, percent):
    """BMP for the 100 percent set, an optimised PNG (palette when it fits) for the others."""
    path = os.path.join(folder, base + picture_ext(percent))
    img = img.convert("RGB")
    if percent == 100:
        img.save(path, "BMP")
        return
    pic = palette_picture(img)
    used = len(pic.getcolors(256))
    # A mask needs one bit a pixel, a thumb four.
    bits = [b for b in (1, 2, 4) if used <= 1 << b]
    pic.save(path, "PNG", optimize=True, **({"bits": bits[0]} if bits else {}))


# Palette sizes tried for a scaled picture, smallest first, and the largest error in
# any channel such a palette may make: 8 of 255 is below what the eye tells apart on
# these dark greys and in the edges of text.
PALETTE_SIZES = (64, 128, 256)
PALETTE_ERROR = 8
# Past this many colours a picture holds smooth gradients (the main face's glow and
# shading; every other face has under 500).
GRADIENT_COLOURS = 1000


def palette_picture(img):
    """The picture as an 8-bit palette: exact when it has few enough colours, else the
    smallest palette of the colours covering most pixels that stays within
    PALETTE_ERROR.  Smooth gradients would band in any such palette: those get a
    fitted palette diffused over their pixels."""
    colours = img.getcolors(256)
    if colours is not None:
        pal = Image.new("P", (1, 1))
        pal.putpalette([v for _, c in colours for v in c])
        return img.quantize(palette=pal, dither=Image.Dither.NONE)
    if img.getcolors(GRADIENT_COLOURS) is None:
        return ordered_palette_picture(img)
    for n in PALETTE_SIZES:
        q = img.quantize(n, method=Image.Quantize.MAXCOVERAGE, dither=Image.Dither.NONE)
        error = ImageChops.difference(img, q.convert("RGB")).getextrema()
        if max(hi for _, hi in error) <= PALETTE_ERROR:
            return q
    return ordered_palette_picture(img)


BAYER = (0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5)
DITHER_AMPLITUDE = 8


def ordered_palette_picture(img):
    """Smooth gradients in a palette without rings: where the palette misses a colour,
    a 4x4 ordered pattern of DITHER_AMPLITUDE levels spreads it over its neighbours
    (a regular pattern deflates far better than diffused error); flat areas and text
    keep their exact colours."""
    pal = img.quantize(256, method=Image.Quantize.FASTOCTREE, dither=Image.Dither.NONE)
    plain = img.quantize(palette=pal, dither=Image.Dither.NONE).convert("RGB")
    missed = ImageChops.difference(img, plain).convert("L").point(lambda v: 255 if v else 0)
    cell = Image.new("L", (4, 4))
    cell.putdata([v * DITHER_AMPLITUDE // 15 for v in BAYER])
    pattern = Image.new("L", img.size)
    for y in range(0, img.height, 4):
        for x in range(0, img.width, 4):
            pattern.paste(cell, (x, y))
    pattern = Image.merge("RGB", (pattern,) * 3)
    spread = ImageChops.add(img, pattern, 1.0, -(DITHER_AMPLITUDE // 2))
    spread = spread.quantize(palette=pal, dither=Image.Dither.NONE).convert("RGB")
    return Image.composite(spread, plain, missed).quantize(palette=pal, dither=Image.Dither.NONE)


def save_bmp(img, path):
    img.convert("RGB").save(path, "BMP")


def thumb_picture(size, side):
    """Slider thumb on the key colour; side is where its pointer is."""
    w, h = size
    px = (R(w), R(h))
    img = Image.new("RGB", px, BODY)
    rrect(img, (1, 0, w - 2, h), 3, ((150, 158, 174), (98, 106, 122)), (40, 44, 54))
    for k in (-2, 0, 2):
        line(img, [(w / 2 - 4, h / 2 + k), (w / 2 + 4, h / 2 + k)], (60, 66, 80), 1)
    tipx = 0 if side == "left" else w - 1
    fill_rect(img, (tipx, h // 2 - 1, 1, 2), ACCENT)
    rrect(img, (3 if side == "left" else w - 6, h / 2 - 1.5, 3, 3), 1, ACCENT)
    # Hard key-coloured corners: the slider cuts away every pixel of the top-left colour.
    cover = Image.new("L", px, 0)
    ImageDraw.Draw(cover).rounded_rectangle((R(1), 0, R(w - 1) - 1, px[1] - 1), radius=R(3),
                                            fill=255)
    out = Image.new("RGB", px, KEY_COLOUR)
    out.paste(img, (0, 0), cover)
    return out


def main_icon(size):
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    base = Image.new("RGB", (size, size), (0, 0, 0))
    s = size / 32.0
    rrect(base, (1 * s, 1 * s, 30 * s, 30 * s), 8 * s, ((70, 186, 255), (28, 118, 200)))
    rrect(base, (10 * s, 5 * s, 12 * s, 22 * s), 6 * s, (12, 30, 52))
    rrect(base, (12 * s, 7 * s, 8 * s, 18 * s), 4 * s, (225, 242, 255))
    line(base, [(16 * s, 7 * s), (16 * s, 13 * s)], (12, 30, 52), max(1.0, 1.4 * s))
    alpha = Image.new("L", (size * 4, size * 4), 0)
    ImageDraw.Draw(alpha).rounded_rectangle((4 * s, 4 * s, 4 * 30 * s, 4 * 30 * s),
                                            radius=32 * s, fill=255)
    img.paste(base, (0, 0), alpha.resize((size, size), Image.Resampling.BOX))
    return img


def animation_frames(size=(56, 36), count=10):
    """The double-click animation: the test picture rippling twice."""
    w, h = size
    frames = []
    base = double_click_picture(size)
    for k in range(count):
        fr = base.copy()
        for click in (0, 4):
            t = k - click
            if 0 <= t < 5:
                r = 4 + 4 * t
                col = mix(ACCENT_HI, (40, 44, 54), t / 5.0)
                pts = [(w / 2 - 6 + r * math.cos(a / 20.0 * math.pi),
                        h / 2 + r * math.sin(a / 20.0 * math.pi)) for a in range(41)]
                line(fr, pts, col, 1.5)
        frames.append(fr)
    return frames


def generate_set(out, percent):
    """Every description and picture of one display scale."""
    draw.set_percent(percent)
    folder = os.path.join(out, set_folder(percent))
    os.makedirs(folder, exist_ok=True)
    written = set()
    for win in L.windows():
        write_ini(os.path.join(folder, win.ini), win, percent)
        cache = {}
        for key in win.screen:
            name = picture_name(win, key, percent)
            if name in written:
                continue
            if key == "Mask":
                img = mask_picture(win)
            else:
                st = SCREEN_STATE[key]
                if st not in cache:
                    cache[st] = render(win, st)
                img = cache[st]
            save_picture(img, folder, name.rsplit(".", 1)[0], percent)
            written.add(name)
        if win.base == "main":
            for base, rect in FACE_CUTS:
                save_picture(cache["normal"].crop(box_of(rect)), folder, base, percent)
    for direction in ("left", "right"):
        for state in ("normal", "down", "over"):
            save_picture(arrow_picture(direction, state), folder,
                         "arrow_%s_%s" % (direction, state), percent)
    for base, size, side in THUMBS:
        save_picture(thumb_picture(size, side), folder, base, percent)
    draw.set_percent(100)


# The main face's picture controls: cut from the face, so they always match it.
FACE_CUTS = (("logo area", L.LOGO_AREA), ("main_mouse1", L.MOUSE_AREA),
             ("main_mouse2", L.BADGE_AREA))
THUMBS = (("vsliderL", L.SMALL_THUMB, "left"), ("vsliderR", L.SMALL_THUMB, "right"),
          ("big_vsliderR", L.BIG_THUMB, "right"))
# The title bar and the tray ask for the icon at their own scale's size.
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)


def generate(out, lan_out, scales=SCALES):
    os.makedirs(out, exist_ok=True)
    os.makedirs(lan_out, exist_ok=True)
    for percent in (100,) + tuple(scales):
        generate_set(out, percent)
    media.write_ico(os.path.join(out, "logo.ico"), [main_icon(s) for s in ICON_SIZES])
    media.write_avi(os.path.join(out, "double_click.avi"), animation_frames(), 12)
    media.write_wav(os.path.join(out, "double_click.wav"), media.soft_click())
    save_bmp(double_click_picture((60, 40)), os.path.join(lan_out, "double_click_test.bmp"))
    media.write_wav(os.path.join(lan_out, "glass_breaking.wav"), media.glass_breaking())
    return L.windows()


def contact_sheet(out, path):
    """Every picture of the skin on one page, for looking at."""
    names = sorted(n for n in os.listdir(out) if n.endswith(".bmp"))
    pics = [(n, Image.open(os.path.join(out, n)).convert("RGB")) for n in names]
    page_w = 1500
    x = y = 10
    row_h = 0
    placed = []
    for n, p in pics:
        if x + p.width > page_w - 10:
            x, y = 10, y + row_h + 24
            row_h = 0
        placed.append((n, p, x, y))
        x += max(p.width, 90) + 14
        row_h = max(row_h, p.height)
    sheet = Image.new("RGB", (page_w, y + row_h + 30), (96, 100, 108))
    for n, p, px, py in placed:
        sheet.paste(p, (px, py + 12))
        text(sheet, (px, py), n, font(10, False), (240, 240, 240))
    sheet.save(path, "PNG")


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", required=True, help="the skins folder to fill")
    ap.add_argument("--lan-out", required=True, help="folder for the language library's assets")
    ap.add_argument("--sheet", help="also write a contact sheet PNG here")
    ap.add_argument("--stamp", help="touch this file when done")
    ap.add_argument("--scales", type=int, nargs="*", default=list(SCALES),
                    help="display scales in percent rendered besides 100 (default: all)")
    args = ap.parse_args(argv)
    generate(args.out, args.lan_out, args.scales)
    if args.sheet:
        contact_sheet(args.out, args.sheet)
    if args.stamp:
        with open(args.stamp, "w") as f:
            f.write("default skin generated\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
