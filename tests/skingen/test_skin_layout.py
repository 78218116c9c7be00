"""Checks the generated default skin as the programs will read it.

    /usr/bin/python3 tests/skingen/test_skin_layout.py [SKINDIR LANDIR]

Without folders the skin is generated into a temporary folder first.  The
tests read the description files back and compare them with the pictures.
"""

import configparser
import filecmp
import math
import os
import struct
import subprocess
import sys
import tempfile
import unittest

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
GENERATOR = os.path.join(ROOT, "tools", "skingen", "skingen.py")
sys.path.insert(0, os.path.dirname(GENERATOR))
sys.dont_write_bytecode = True
import draw  # noqa: E402
import layout  # noqa: E402
import skingen  # noqa: E402

SKIN_DIR = None
LAN_DIR = None
_tmp = []

ALL_FIVE = {"Mask", "Main", "Down", "Over", "Disabled"}
# File -> ([Screen] keys the window reads, {section: keys read}).
FILES = {
    "skin_main.ini": (ALL_FIVE | {"Main2"},
                      {"BUTTONPOS": list(range(1, 16)) + list(range(21, 27))}),
    "skin_menu_all.ini": ({"Main", "Down", "Over", "Disabled"},
                          {"BUTTONINFO": list(range(1, 55))}),
    "skin_menu.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 13))}),
    "skin_scroll_menu.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 8))}),
    "skin_basic_command.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 10))}),
    "skin_additional_command.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 8))}),
    "skin_media_menu.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 8))}),
    "skin_key_close.ini": ({"Mask", "Main"}, {"BUTTONPOS": [1]}),
    "skin_key_expand.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 9)), "MACRODISPLAY": [1]}),
    "skin_sens_close.ini": ({"Mask", "Main"}, {"BUTTONPOS": [1]}),
    "skin_sens_expand.ini": ({"Mask", "Main", "Down", "Over"},
                             {"BUTTONPOS": [1, 2, 4, 5], "SLIDERS": [1, 2, 3]}),
    "skin_advance_close.ini": ({"Mask", "Main"}, {"BUTTONPOS": [1]}),
    "skin_advance_expand.ini": ({"Mask", "Main", "Down", "Over"},
                                {"BUTTONPOS": [1, 2, 3], "SLIDERS": [1, 2, 3, 4]}),
    "skin_profile_set.ini": (ALL_FIVE, {"BUTTONPOS": list(range(1, 11))}),
    "skin_config_set.ini": (ALL_FIVE, {"BUTTONPOS": list(range(3, 11))}),
    "skin_reset_default.ini": (ALL_FIVE, {"BUTTONPOS": [3, 4]}),
    "skin_click_warn.ini": (ALL_FIVE, {"BUTTONPOS": [3, 4]}),
    "skin_warn_profile.ini": (ALL_FIVE, {"BUTTONPOS": [3, 4]}),
    "skin_write_failed.ini": (ALL_FIVE, {"BUTTONPOS": [3]}),
    "skin_program_profiles.ini": (ALL_FIVE, {"BUTTONPOS": list(range(3, 20)) + [21], "RULELIST": [1]}),
}
FIXED = ["arrow_left_normal.bmp", "arrow_left_down.bmp", "arrow_left_over.bmp",
         "arrow_right_normal.bmp", "arrow_right_down.bmp", "arrow_right_over.bmp",
         "vsliderL.bmp", "vsliderR.bmp", "big_vsliderR.bmp", "logo area.bmp",
         "main_mouse1.bmp", "main_mouse2.bmp", "logo.ico", "double_click.avi",
         "double_click.wav"]
# Where the picture controls cut from the main face lie on it.
FACE_CUTS = {"logo area.bmp": (0, 0), "main_mouse1.bmp": (155, 60), "main_mouse2.bmp": (22, 280)}
# Panels whose BUTTONPOS "1" is the arrow cut from the fixed arrow pictures.
ARROWS = {"skin_sens_close.ini": "left", "skin_advance_close.ini": "left",
          "skin_key_expand.ini": "left", "skin_sens_expand.ini": "right",
          "skin_advance_expand.ini": "right"}


SCALES = (125, 150, 175, 200)
PLACEMENTS = ("BUTTONPOS", "SLIDERS", "MACRODISPLAY", "BUTTONINFO", "RULELIST")
# Least contrast a text the skin draws must keep against what lies beneath it.
MIN_CONTRAST = 4.5


def skin(name):
    return os.path.join(SKIN_DIR, name)


def scaled(v, p):
    """The rounding the programs share: half up."""
    return int(math.floor(v * p / 100 + 0.5))


def scaled_item(it, p):
    """A parsed placement value as the 100 percent one scaled by edges."""
    return dict(it, rect=tuple(scaled(v, p) for v in it["rect"]))


def png_name(bmp):
    return bmp[:-len(".bmp")] + ".png"


def parse_item(value):
    """The seven-field placement value: label,x,y,w,h,tooltip,flag."""
    f = value.split(",")
    if len(f) != 7:
        raise AssertionError("placement value needs 7 fields: %r" % value)
    x, y, w, h = (int(v) for v in f[1:5])
    return dict(label=f[0], rect=(x, y, x + w, y + h), tooltip=f[5], flag=f[6])


def read_ini(name):
    cp = configparser.ConfigParser(interpolation=None, strict=True)
    cp.optionxform = str
    with open(skin(name), encoding="ascii") as fh:
        cp.read_file(fh)
    return cp


def items(name, section):
    """Placement values by key; rect as (left, top, right, bottom)."""
    cp = read_ini(name)
    return {int(k): parse_item(v) for k, v in cp[section].items()} if cp.has_section(section) else {}


def pictures(name):
    cp = read_ini(name)
    return {k: Image.open(skin(v)).convert("RGB") for k, v in cp["Screen"].items()}


def crop(img, rect):
    return img.crop(rect)


def is_white(p):
    return p == (255, 255, 255)


def pixels(img):
    return list(img.getdata())


class DescriptionFiles(unittest.TestCase):
    def test_every_file_has_the_keys_its_window_reads(self):
        for name, (screen, sections) in FILES.items():
            with self.subTest(file=name):
                cp = read_ini(name)
                self.assertEqual(set(cp["Screen"].keys()), screen)
                for section, keys in sections.items():
                    got = sorted(int(k) for k in cp[section].keys())
                    self.assertEqual(got, sorted(keys), section)
        self.assertEqual(read_ini("skin_main.ini")["SETTING"]["SFPos"], "601")

    def test_placement_values_follow_the_grammar(self):
        for name, (_, sections) in FILES.items():
            for section in sections:
                for key, it in items(name, section).items():
                    with self.subTest(file=name, section=section, key=key):
                        self.assertLessEqual(len(it["label"]), 39)
                        self.assertLessEqual(len(it["tooltip"]), 99)
                        self.assertIn(it["flag"], ("TRUE", "FALSE"))
                        # The reader treats any "TRUE" in the value as latched.
                        self.assertNotIn("TRUE", it["tooltip"])
                        l, t, r, b = it["rect"]
                        self.assertTrue(r > l and b > t, "empty rectangle")

    def test_pictures_exist_are_24_bit_and_share_one_size(self):
        for name in FILES:
            with self.subTest(file=name):
                cp = read_ini(name)
                sizes = set()
                for key, value in cp["Screen"].items():
                    with open(skin(value), "rb") as fh:
                        head = fh.read(54)
                    self.assertEqual(head[:2], b"BM", value)
                    bits, comp = struct.unpack("<HI", head[28:34])
                    self.assertEqual((bits, comp), (24, 0), value)
                    sizes.add(Image.open(skin(value)).size)
                self.assertEqual(len(sizes), 1, sizes)

    def test_fixed_pictures_exist(self):
        for name in FIXED:
            self.assertTrue(os.path.isfile(skin(name)), name)


class Geometry(unittest.TestCase):
    def test_items_lie_inside_the_window_on_the_shape(self):
        for name, (screen, sections) in FILES.items():
            pics = pictures(name)
            w, h = pics["Main"].size
            mask = pics.get("Mask")
            for section in sections:
                for key, it in items(name, section).items():
                    with self.subTest(file=name, section=section, key=key):
                        l, t, r, b = it["rect"]
                        self.assertTrue(0 <= l and 0 <= t and r <= w and b <= h, it["rect"])
                        if mask is not None:
                            inside = pixels(crop(mask, it["rect"]))
                            self.assertFalse(any(is_white(p) for p in inside),
                                             "item reaches outside the outline")

    def test_buttons_do_not_overlap(self):
        for name in FILES:
            rects = [(k, it["rect"]) for k, it in items(name, "BUTTONPOS").items()]
            rects += [("S%d" % k, it["rect"]) for k, it in items(name, "SLIDERS").items()]
            rects += [("D%d" % k, it["rect"]) for k, it in items(name, "MACRODISPLAY").items()]
            rects += [("L%d" % k, it["rect"]) for k, it in items(name, "RULELIST").items()]
            for i, (ka, a) in enumerate(rects):
                for kb, b in rects[i + 1:]:
                    with self.subTest(file=name, a=ka, b=kb):
                        self.assertFalse(a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3])

    def test_main_window_fixed_geometry(self):
        pics = pictures("skin_main.ini")
        face = pics["Main2"]
        w, h = face.size
        self.assertGreaterEqual(w, 660)
        # The three picture controls show exactly the face beneath them.
        for fname, (x, y, cw, ch) in (("logo area.bmp", (0, 0, 162, 37)),
                                      ("main_mouse1.bmp", (155, 60, 338, 255)),
                                      ("main_mouse2.bmp", (22, 280, 94, None))):
            pic = Image.open(skin(fname)).convert("RGB")
            ch = ch or pic.height
            self.assertEqual(pic.size, (cw, ch), fname)
            self.assertTrue(x + cw <= w and y + ch <= h, fname)
            self.assertEqual(pic.tobytes(), face.crop((x, y, x + cw, y + ch)).tobytes(), fname)
        # The version is painted at (601, 38) in grey: a calm, dark place.
        area = pixels(face.crop((598, 35, 640, 53)))
        self.assertTrue(all(max(p) < 80 for p in area), "version area is not dark")
        self.assertLessEqual(len(set(area)), 2, "version area is not plain")

    def test_main_buttons_and_picture_controls(self):
        its = items("skin_main.ini", "BUTTONPOS")
        mouse = (155, 60, 493, 315)
        badge_h = Image.open(skin("main_mouse2.bmp")).height
        covered = [(0, 0, 162, 37), mouse, (22, 280, 116, 280 + badge_h)]
        size = None
        for k in range(6, 15):
            l, t, r, b = its[k]["rect"]
            size = size or (r - l, b - t)
            self.assertEqual((r - l, b - t), size, "hotspot %d" % k)
            self.assertTrue(mouse[0] <= l and mouse[1] <= t and r <= mouse[2] and b <= mouse[3],
                            "hotspot %d is not on the mouse picture" % k)
        for k in list(range(1, 6)) + [15] + list(range(21, 27)):
            a = its[k]["rect"]
            for c in covered:
                with self.subTest(button=k, area=c):
                    self.assertFalse(a[0] < c[2] and c[0] < a[2] and a[1] < c[3] and c[1] < a[3],
                                     "a picture control would hide this button")
        cells = items("skin_menu_all.ini", "BUTTONINFO")
        for k, it in cells.items():
            l, t, r, b = it["rect"]
            self.assertEqual((r - l, b - t), size, "cell %d differs from the hotspot size" % k)
        self.assertEqual(sum(its[k]["flag"] == "TRUE" for k in range(21, 26)), 1)

    def test_hotspot_chip_is_dark_enough_for_a_light_caption(self):
        face = pictures("skin_main.ini")["Main2"]
        l, t, r, b = items("skin_main.ini", "BUTTONPOS")[6]["rect"]
        middle = pixels(face.crop((l + 5, t + 5, r - 5, b - 5)))
        self.assertTrue(all(sum(p) / 3 < 110 for p in middle))

    def test_key_editor_command_buttons_show_a_widened_cell(self):
        its = items("skin_key_expand.ini", "BUTTONPOS")
        cells = items("skin_menu_all.ini", "BUTTONINFO")
        cw = cells[1]["rect"][2] - cells[1]["rect"][0]
        ch = cells[1]["rect"][3] - cells[1]["rect"][1]
        for k in (5, 6, 7):
            l, t, r, b = its[k]["rect"]
            self.assertEqual((r - l, b - t), (cw + 20, ch), "button %d" % k)
        sheet_w, sheet_h = pictures("skin_menu_all.ini")["Main"].size
        rects = [it["rect"] for it in cells.values()]
        for k, it in cells.items():
            l, t, r, b = it["rect"]
            wide = (l, t, r + 20, b)
            self.assertLessEqual(wide[2], sheet_w, "cell %d cannot be widened" % k)
            for other in rects:
                if other != (l, t, r, b):
                    self.assertFalse(wide[0] < other[2] and other[0] < wide[2]
                                     and wide[1] < other[3] and other[1] < wide[3],
                                     "widened cell %d runs into another cell" % k)

    def test_key_panels_fit_beside_the_main_window(self):
        main_h = pictures("skin_main.ini")["Main"].size[1]
        close = pictures("skin_key_close.ini")["Main"].size
        expand = pictures("skin_key_expand.ini")["Main"].size
        self.assertLess(close[0], expand[0])
        self.assertLessEqual(close[1], expand[1])
        self.assertLessEqual(11 + expand[1], main_h)
        l, t, r, b = items("skin_key_close.ini", "BUTTONPOS")[1]["rect"]
        self.assertEqual((r - l, b - t), (9, 13))
        display = items("skin_key_expand.ini", "MACRODISPLAY")[1]["rect"]
        self.assertGreaterEqual(display[3] - display[1], 5 * 15 + 2, "five lines of text")

    def test_menu_rows_stay_wide_after_the_hit_test_shrink(self):
        for name in ("skin_menu.ini", "skin_scroll_menu.ini", "skin_basic_command.ini",
                     "skin_additional_command.ini", "skin_media_menu.ini"):
            for k, it in items(name, "BUTTONPOS").items():
                l, t, r, b = it["rect"]
                self.assertGreaterEqual((r - 6) - (l + 6), 100, "%s row %d" % (name, k))

    def test_sliders_fit_their_thumbs(self):
        for name, thumbs in (("skin_advance_expand.ini", {1: "vsliderL.bmp", 2: "vsliderR.bmp",
                                                          3: "vsliderL.bmp", 4: "vsliderR.bmp"}),
                             ("skin_sens_expand.ini", {3: "big_vsliderR.bmp"})):
            sl = items(name, "SLIDERS")
            for k, thumb in thumbs.items():
                pic = Image.open(skin(thumb)).convert("RGB")
                l, t, r, b = sl[k]["rect"]
                self.assertLessEqual(pic.width, r - l, (name, k))
                self.assertGreater(b - t, 4 * pic.height, (name, k))
                w, h = pic.size
                key = pic.getpixel((0, 0))
                # The top-left colour is cut away: the corners share it, the body not.
                for corner in ((w - 1, 0), (0, h - 1), (w - 1, h - 1)):
                    self.assertEqual(pic.getpixel(corner), key, thumb)
                self.assertNotEqual(pic.getpixel((w // 2, h // 2)), key, thumb)
        for k in (1, 2):
            l, t, r, b = items("skin_sens_expand.ini", "SLIDERS")[k]["rect"]
            self.assertGreater(r - l, 4 * (b - t), "level bars are horizontal")

    def test_message_box_text_line_is_clear(self):
        # The write-failed box draws the file and the reason into a band of its own.
        for name, line_area in (("skin_click_warn.ini", (64, 116, 260, 134)),
                                ("skin_warn_profile.ini", (64, 116, 260, 134)),
                                ("skin_write_failed.ini", (64, 64, 382, 116))):
            pics = pictures(name)
            self.assertFalse(is_white(pics["Mask"].getpixel(line_area[:2])))
            for k, it in items(name, "BUTTONPOS").items():
                r = it["rect"]
                self.assertFalse(r[0] < line_area[2] and line_area[0] < r[2]
                                 and r[1] < line_area[3] and line_area[1] < r[3])
            self.assertEqual(len(set(pixels(pics["Main"].crop(line_area)))), 1, name)


class Faces(unittest.TestCase):
    def test_faces_differ_inside_every_button(self):
        for name in FILES:
            pics = pictures(name)
            if "Over" not in pics:
                continue
            for k, it in items(name, "BUTTONPOS").items():
                if name in ("skin_sens_expand.ini",) and k == 5:
                    continue   # the double-click test area draws its own picture
                r = it["rect"]
                faces = {s: crop(pics[s], r).tobytes() for s in ("Main", "Over", "Down")}
                with self.subTest(file=name, key=k):
                    self.assertNotEqual(faces["Main"], faces["Over"])
                    self.assertNotEqual(faces["Main"], faces["Down"])
                    self.assertNotEqual(faces["Over"], faces["Down"])
                    if "Disabled" in pics and not (name in ARROWS and k == 1):
                        self.assertNotEqual(faces["Main"], crop(pics["Disabled"], r).tobytes())
        pics = pictures("skin_menu_all.ini")
        for k, it in items("skin_menu_all.ini", "BUTTONINFO").items():
            faces = [crop(pics[s], it["rect"]).tobytes() for s in ("Main", "Over", "Down", "Disabled")]
            self.assertEqual(len(set(faces)), 4, "cell %d" % k)

    def test_label_cells_are_distinct_pictures(self):
        pics = pictures("skin_menu_all.ini")
        cells = items("skin_menu_all.ini", "BUTTONINFO")
        seen = {}
        for k, it in cells.items():
            seen.setdefault(crop(pics["Main"], it["rect"]).tobytes(), []).append(k)
        shared = [ks for ks in seen.values() if len(ks) > 1]
        # Cells 33 and 34 stand for the same function in two models.
        self.assertEqual(shared, [[33, 34]])

    def test_level_bars_show_a_fill(self):
        pics = pictures("skin_sens_expand.ini")
        for k, it in items("skin_sens_expand.ini", "SLIDERS").items():
            if k in (1, 2):
                self.assertNotEqual(crop(pics["Main"], it["rect"]).tobytes(),
                                    crop(pics["Down"], it["rect"]).tobytes())

    def test_arrow_faces_match_the_arrow_pictures(self):
        for name, direction in ARROWS.items():
            pics = pictures(name)
            r = items(name, "BUTTONPOS")[1]["rect"]
            self.assertEqual((r[2] - r[0], r[3] - r[1]), (19, 20), name)
            for key, state in (("Main", "normal"), ("Over", "over"), ("Down", "down")):
                if key not in pics:
                    continue
                arrow = Image.open(skin("arrow_%s_%s.bmp" % (direction, state))).convert("RGB")
                self.assertEqual(crop(pics[key], r).tobytes(),
                                 arrow.crop((0, 0, 19, 20)).tobytes(), (name, key))
        for direction in ("left", "right"):
            for state in ("normal", "over", "down"):
                arrow = Image.open(skin("arrow_%s_%s.bmp" % (direction, state))).convert("RGB")
                self.assertGreaterEqual(arrow.size, (19, 20))
                self.assertGreater(len(set(pixels(arrow.crop((0, 0, 9, 13))))), 3)
            faces = {Image.open(skin("arrow_%s_%s.bmp" % (direction, s))).tobytes()
                     for s in ("normal", "over", "down")}
            self.assertEqual(len(faces), 3)

    def test_masks_are_pure_white_outside_and_clearly_dark_inside(self):
        for name, (screen, _) in FILES.items():
            if "Mask" not in screen:
                continue
            pics = pictures(name)
            mask = pixels(pics["Mask"])
            with self.subTest(file=name):
                whites = sum(1 for p in mask if is_white(p))
                self.assertGreater(whites, 0, "the outline is a plain rectangle")
                self.assertLess(whites, len(mask) // 4)
                self.assertTrue(all(is_white(p) or max(p) <= 64 for p in mask),
                                "near-white fringe in the mask")
                for key, pic in pics.items():
                    if key == "Mask":
                        continue
                    face = pixels(pic)
                    self.assertFalse(any(is_white(f) and not is_white(m)
                                         for f, m in zip(face, mask)), key)


class ScaledSets(unittest.TestCase):
    """Every set is the 100 percent skin with its edges scaled by the shared rule."""

    def test_descriptions_are_the_100_percent_ones_scaled(self):
        for p in SCALES:
            for name, (screen, sections) in FILES.items():
                with self.subTest(percent=p, file=name):
                    base, cp = read_ini(name), read_ini("%d/%s" % (p, name))
                    self.assertEqual(cp.sections(), base.sections())
                    for section in PLACEMENTS:
                        if not base.has_section(section):
                            continue
                        self.assertEqual(list(cp[section].keys()), list(base[section].keys()))
                        want = {k: scaled_item(it, p) for k, it in items(name, section).items()}
                        self.assertEqual(items("%d/%s" % (p, name), section), want, section)
                    for key, value in base["Screen"].items():
                        self.assertEqual(cp["Screen"][key], "%d\\%s" % (p, png_name(value)), key)
        for p in SCALES:
            self.assertEqual(read_ini("%d/skin_main.ini" % p)["SETTING"]["SFPos"],
                             str(scaled(601, p)))

    def test_pictures_are_png_at_the_scaled_window_size(self):
        for p in SCALES:
            for name in FILES:
                cp, size = read_ini("%d/%s" % (p, name)), pictures(name)["Main"].size
                for key, value in cp["Screen"].items():
                    with self.subTest(percent=p, file=name, key=key):
                        pic = Image.open(skin(value.replace("\\", os.sep)))
                        self.assertEqual(pic.format, "PNG")
                        self.assertEqual(pic.size, tuple(scaled(v, p) for v in size))

    def test_fixed_pictures_exist_at_the_scaled_size(self):
        for p in SCALES:
            for name in FIXED:
                if not name.endswith(".bmp"):
                    continue   # icon, animation and sound serve every scale
                with self.subTest(percent=p, picture=name):
                    w, h = Image.open(skin(name)).size
                    # A cut of the main face covers its picture control, whose edges scale.
                    x, y = FACE_CUTS.get(name, (0, 0))
                    want = (scaled(x + w, p) - scaled(x, p), scaled(y + h, p) - scaled(y, p))
                    pic = Image.open(skin("%d/%s" % (p, png_name(name))))
                    self.assertEqual(pic.format, "PNG")
                    self.assertEqual(pic.size, want)
                    if name.startswith("arrow_"):
                        self.assertGreaterEqual(pic.size, (scaled(19, p), scaled(20, p)))

    def test_scaled_masks_stay_hard_and_faces_inside_them(self):
        for p in SCALES:
            for name, (screen, _) in FILES.items():
                if "Mask" not in screen:
                    continue
                pics = {k: Image.open(skin(v.replace("\\", os.sep))).convert("RGB")
                        for k, v in read_ini("%d/%s" % (p, name))["Screen"].items()}
                mask = pixels(pics.pop("Mask"))
                with self.subTest(percent=p, file=name):
                    self.assertTrue(all(is_white(m) or max(m) <= 64 for m in mask),
                                    "near-white fringe in the mask")
                    for key, pic in pics.items():
                        self.assertFalse(any(is_white(f) and not is_white(m)
                                             for f, m in zip(pixels(pic), mask)), key)


def rendered_texts(percent):
    """Every text the generator draws on every face, with the colours beneath its ink."""
    draw.set_percent(percent)
    draw.TEXT_LOG = []
    try:
        for win in layout.windows():
            for state in skingen.STATES:
                start = len(draw.TEXT_LOG)
                skingen.render(win, state)
                for t in draw.TEXT_LOG[start:]:
                    yield win.base, state, t
    finally:
        draw.TEXT_LOG = None
        draw.set_percent(100)


class Contrast(unittest.TestCase):
    def test_contrast_formula(self):
        for fg, bg, want in (((255, 255, 255), (0, 0, 0), 21.0),
                             ((119, 119, 119), (255, 255, 255), 4.48),
                             ((0, 0, 0), (0, 0, 0), 1.0),
                             ((0, 0, 255), (255, 255, 255), 8.59)):
            self.assertAlmostEqual(draw.contrast(fg, bg), want, places=2)

    def test_every_readable_text_stands_out_from_what_lies_beneath(self):
        # Disabled faces are exempt, as they are for inactive controls; a logo too.
        seen = 0
        for p in (100, 200):
            for base, state, t in rendered_texts(p):
                if state == "disabled" or t["exempt"]:
                    continue
                seen += 1
                with self.subTest(percent=p, face=base, state=state, text=t["text"]):
                    self.assertTrue(t["beneath"], "no ink found")
                    worst = min(draw.contrast(t["colour"], b) for b in t["beneath"])
                    self.assertGreaterEqual(worst, MIN_CONTRAST, (t["colour"], t["beneath"]))
        self.assertGreater(seen, 300)


def _riff_chunks(data, start, end):
    out = []
    pos = start
    while pos + 8 <= end:
        cid, size = struct.unpack("<4sI", data[pos:pos + 8])
        out.append((cid, pos + 8, size))
        pos += 8 + size + (size & 1)
    return out


class MediaFiles(unittest.TestCase):
    def test_animation_is_an_uncompressed_avi(self):
        with open(skin("double_click.avi"), "rb") as fh:
            data = fh.read()
        self.assertEqual((data[:4], data[8:12]), (b"RIFF", b"AVI "))
        self.assertEqual(struct.unpack("<I", data[4:8])[0], len(data) - 8)
        top = {c[0] if c[0] != b"LIST" else data[c[1]:c[1] + 4]: c
               for c in _riff_chunks(data, 12, len(data))}
        self.assertIn(b"hdrl", top)
        self.assertIn(b"movi", top)
        self.assertIn(b"idx1", top)
        _, hpos, hsize = top[b"hdrl"]
        hdrl = _riff_chunks(data, hpos + 4, hpos + hsize)
        self.assertEqual(hdrl[0][0], b"avih")
        avih = struct.unpack("<10I", data[hdrl[0][1]:hdrl[0][1] + 40])
        frames, width, height = avih[4], avih[8], avih[9]
        strl = [c for c in hdrl if c[0] == b"LIST" and data[c[1]:c[1] + 4] == b"strl"]
        self.assertEqual(len(strl), 1, "one video stream, no sound")
        inner = {c[0]: c for c in _riff_chunks(data, strl[0][1] + 4, strl[0][1] + strl[0][2])}
        strh = data[inner[b"strh"][1]:inner[b"strh"][1] + 8]
        self.assertEqual(strh, b"vidsDIB ")
        bih = struct.unpack("<IiiHHI", data[inner[b"strf"][1]:inner[b"strf"][1] + 20])
        self.assertEqual((bih[1], bih[2], bih[4], bih[5]), (width, height, 24, 0))
        frame_size = ((width * 3 + 3) // 4 * 4) * height
        _, mpos, msize = top[b"movi"]
        chunks = _riff_chunks(data, mpos + 4, mpos + msize)
        self.assertEqual(len(chunks), frames)
        self.assertTrue(all(c[0] == b"00db" and c[2] == frame_size for c in chunks))
        _, ipos, isize = top[b"idx1"]
        self.assertEqual(isize, 16 * frames)
        for i in range(frames):
            cid, flags, off, size = struct.unpack("<4sIII", data[ipos + 16 * i:ipos + 16 * i + 16])
            self.assertEqual(data[mpos + off:mpos + off + 4], b"00db")
            self.assertEqual(size, frame_size)
        self.assertGreater(frames, 2)
        self.assertLess(len(data), 200000)

    def _wav(self, path):
        with open(path, "rb") as fh:
            data = fh.read()
        self.assertEqual((data[:4], data[8:12]), (b"RIFF", b"WAVE"))
        chunks = {c[0]: c for c in _riff_chunks(data, 12, len(data))}
        fmt = struct.unpack("<HHIIHH", data[chunks[b"fmt "][1]:chunks[b"fmt "][1] + 16])
        return fmt, chunks[b"data"][2]

    def test_sounds_are_pcm(self):
        fmt, size = self._wav(skin("double_click.wav"))
        self.assertEqual(fmt[0], 1)
        fmt, size = self._wav(os.path.join(LAN_DIR, "glass_breaking.wav"))
        self.assertEqual(fmt, (1, 1, 22050, 44100, 2, 16))
        self.assertTrue(0 < size < 22050 * 2)

    def test_icon_holds_a_size_for_every_scale(self):
        with open(skin("logo.ico"), "rb") as fh:
            data = fh.read()
        reserved, kind, count = struct.unpack("<HHH", data[:6])
        self.assertEqual((reserved, kind), (0, 1))
        sizes = set()
        for i in range(count):
            w, h, _, _, planes, bits, size, off = struct.unpack("<BBBBHHII", data[6 + 16 * i:22 + 16 * i])
            self.assertLessEqual(off + size, len(data))
            self.assertEqual(struct.unpack("<I", data[off:off + 4])[0], 40)
            sizes.add(w)
        self.assertEqual(sizes, {16, 20, 24, 32, 40, 48, 64})

    def test_language_library_picture(self):
        path = os.path.join(LAN_DIR, "double_click_test.bmp")
        with open(path, "rb") as fh:
            head = fh.read(54)
        self.assertEqual(struct.unpack("<HI", head[28:34]), (24, 0))
        sens = items("skin_sens_expand.ini", "BUTTONPOS")[5]["rect"]
        self.assertEqual(Image.open(path).size, (sens[2] - sens[0], sens[3] - sens[1]))


class Reproducible(unittest.TestCase):
    def test_a_second_run_writes_the_same_bytes(self):
        again = tempfile.mkdtemp(prefix="skingen-again-")
        _tmp.append(again)
        # One scaled set is enough to catch an unstable palette or a random order.
        subprocess.run([sys.executable, GENERATOR, "--out", os.path.join(again, "skins"),
                        "--lan-out", os.path.join(again, "lan"), "--scales", "150"], check=True)
        for a, b in ((SKIN_DIR, os.path.join(again, "skins")),
                     (LAN_DIR, os.path.join(again, "lan")),
                     (os.path.join(SKIN_DIR, "150"), os.path.join(again, "skins", "150"))):
            names = sorted(n for n in os.listdir(b) if os.path.isfile(os.path.join(b, n)))
            match, mismatch, errors = filecmp.cmpfiles(a, b, names, shallow=False)
            self.assertEqual((mismatch, errors), ([], []))


def main():
    global SKIN_DIR, LAN_DIR
    args = sys.argv[1:]
    if len(args) >= 2 and not args[0].startswith("-"):
        SKIN_DIR, LAN_DIR = os.path.abspath(args[0]), os.path.abspath(args[1])
        args = args[2:]
    else:
        base = tempfile.mkdtemp(prefix="skingen-")
        _tmp.append(base)
        SKIN_DIR, LAN_DIR = os.path.join(base, "skins"), os.path.join(base, "lan")
        subprocess.run([sys.executable, GENERATOR, "--out", SKIN_DIR, "--lan-out", LAN_DIR],
                       check=True)
    try:
        unittest.main(argv=[sys.argv[0]] + args, verbosity=1)
    finally:
        import shutil
        for d in _tmp:
            shutil.rmtree(d, ignore_errors=True)


if __name__ == "__main__":
    main()
