"""Anti-aliased drawing primitives and the colour theme of the default skin.

Shapes are drawn into a supersampled coverage mask of their own bounding box
and composited onto the picture, so edges are smooth while the result stays
byte-for-byte reproducible.

Every caller speaks in the 100 percent design's pixels; set_percent() makes the
primitives draw the same design at another display scale, each coordinate,
radius, width and font size multiplied before anything is drawn.
"""

import math

from PIL import Image, ImageDraw, ImageFont

SS = 4
BOX = Image.Resampling.BOX
FONT_DIR = "/usr/share/fonts/truetype/liberation/"

# Theme.
OUTSIDE = (12, 13, 16)
BODY = (29, 32, 39)
BODY_EDGE = (66, 72, 86)
HEADER = (21, 23, 28)
STAGE = (35, 39, 47)
STAGE_EDGE = (47, 52, 62)
TEXT = (222, 226, 232)
TEXT_HI = (244, 247, 251)
DIM = (156, 163, 176)
FAINT = (148, 155, 168)
TEXT_OFF = (92, 96, 106)
ACCENT = (52, 168, 255)
ACCENT_HI = (110, 196, 255)
ACCENT_DARK = (30, 108, 176)
GROOVE = (17, 19, 23)
KEY_COLOUR = (255, 0, 255)   # thumb background, cut away by the slider

_fonts = {}
PERCENT = 100
# Every text drawn while logging is on, for the contrast checks: dicts with the
# string, its colour and the colours found beneath its ink.
TEXT_LOG = None


def set_percent(p):
    global PERCENT
    PERCENT = p


def R(v):
    """A design coordinate at the current scale, rounded the way the programs round."""
    return int(math.floor(v * PERCENT / 100 + 0.5))


def S(v):
    """A design length at the current scale, unrounded."""
    return v * PERCENT / 100


def E(v):
    """An edge: whole design pixels land on the rounded place, so a shape's edges
    meet the rectangles of the description files; fractions are scaled as they are."""
    return R(v) if float(v).is_integer() else S(v)


def box_of(rect):
    """A design rectangle (x, y, w, h) as the scaled box (left, top, right, bottom)."""
    x, y, w, h = rect
    return (R(x), R(y), R(x + w), R(y + h))


def _face_name(bold, narrow):
    return "LiberationSans%s-%s.ttf" % ("Narrow" if narrow else "", "Bold" if bold else "Regular")


def _font_px(name, px):
    key = (name, px)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + name, px)
    return _fonts[key]


def font(size, bold=False, narrow=False):
    """The face at the design size, scaled: FreeType takes whole pixel sizes."""
    name = _face_name(bold, narrow)
    key = (name, size, PERCENT)
    if key not in _fonts:
        f = ImageFont.truetype(FONT_DIR + name, max(1, R(size)))
        f.design = (name, size)
        _fonts[key] = f
    return _fonts[key]


def text_length(s, f):
    """Advance of s in design pixels, so that layouts agree at every scale."""
    return _font_px(*f.design).getlength(s)


def fit_font(text, max_w, size, bold=True, min_size=8):
    """Largest font not above size in which text fits max_w (narrow face last);
    chosen at the design size so every scale shows the same face."""
    for narrow in (False, True):
        for s in range(size, min_size - 1, -1):
            if _font_px(_face_name(bold, narrow), s).getlength(text) <= max_w:
                return font(s, bold, narrow)
    return font(min_size, bold, True)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighten(c, t):
    return mix(c, (255, 255, 255), t)


def darken(c, t):
    return mix(c, (0, 0, 0), t)


def _fill_layer(size, fill):
    """A solid layer, or a vertical gradient for a (top, bottom) pair."""
    w, h = size
    if isinstance(fill[0], tuple):
        top, bottom = fill
        col = Image.new("RGB", (1, h))
        for y in range(h):
            col.putpixel((0, y), mix(top, bottom, y / max(1, h - 1)))
        return col.resize((w, h))
    return Image.new("RGB", (w, h), fill)


def _composite(img, box, cover, fill):
    x0, y0, x1, y1 = box
    layer = _fill_layer((x1 - x0, y1 - y0), fill)
    img.paste(layer, (x0, y0), cover)


def _cover(box, fn):
    x0, y0, x1, y1 = box
    m = Image.new("L", ((x1 - x0) * SS, (y1 - y0) * SS), 0)
    fn(ImageDraw.Draw(m), lambda x, y: ((x - x0) * SS, (y - y0) * SS))
    return m.resize((x1 - x0, y1 - y0), BOX)


def rrect(img, rect, r, fill, outline=None, width=1):
    """Rounded rectangle (x, y, w, h) with an optional inner outline."""
    x, y, w, h = rect
    x0, y0, x1, y1 = E(x), E(y), E(x + w), E(y + h)
    r, width = S(r), S(width)
    box = (int(x0), int(y0), int(x1 + 0.999), int(y1 + 0.999))

    def shape(inset, rad):
        def fn(d, t):
            a = t(x0 + inset, y0 + inset)
            b = t(x1 - inset, y1 - inset)
            d.rounded_rectangle((a[0], a[1], b[0] - 1, b[1] - 1),
                                radius=max(0, rad) * SS, fill=255)
        return _cover(box, fn)

    if outline is not None:
        _composite(img, box, shape(0, r), outline)
        _composite(img, box, shape(width, r - width), fill)
    else:
        _composite(img, box, shape(0, r), fill)


def _scaled(pts):
    return [(S(px), S(py)) for px, py in pts]


def polygon(img, pts, fill):
    pts = _scaled(pts)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    box = (int(min(xs)) - 1, int(min(ys)) - 1, int(max(xs)) + 2, int(max(ys)) + 2)
    _composite(img, box, _cover(box, lambda d, t: d.polygon([t(*p) for p in pts], fill=255)),
               fill)


def ellipse(img, cx, cy, rx, ry, fill):
    cx, cy, rx, ry = S(cx), S(cy), S(rx), S(ry)
    box = (int(cx - rx) - 1, int(cy - ry) - 1, int(cx + rx) + 2, int(cy + ry) + 2)

    def fn(d, t):
        a, b = t(cx - rx, cy - ry), t(cx + rx, cy + ry)
        d.ellipse((a[0], a[1], b[0] - 1, b[1] - 1), fill=255)
    _composite(img, box, _cover(box, fn), fill)


def line(img, pts, fill, width=1.0):
    pts = _scaled(pts)
    width = S(width)
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    pad = int(width) + 2
    box = (int(min(xs)) - pad, int(min(ys)) - pad, int(max(xs)) + pad + 1,
           int(max(ys)) + pad + 1)

    def fn(d, t):
        d.line([t(*p) for p in pts], fill=255, width=max(1, int(width * SS)), joint="curve")
    _composite(img, box, _cover(box, fn), fill)


def fill_rect(img, rect, colour):
    """A hard-edged rectangle (x, y, w, h): separators and plain areas."""
    img.paste(colour, box_of(rect))


def luminance(c):
    """Relative luminance of an sRGB colour (WCAG 2)."""
    def lin(v):
        v /= 255.0
        return v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(v) for v in c[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def _log_text(img, pos, s, f, fill, anchor, exempt):
    """Notes the colours beneath the ink of a text about to be drawn on img."""
    l, t, r, b = ImageDraw.Draw(img).textbbox(pos, s, font=f, anchor=anchor)
    l, t = max(0, int(l)), max(0, int(t))
    r, b = min(img.width, int(r) + 1), min(img.height, int(b) + 1)
    if r <= l or b <= t:
        return
    ink = Image.new("L", (r - l, b - t), 0)
    ImageDraw.Draw(ink).text((pos[0] - l, pos[1] - t), s, font=f, fill=255, anchor=anchor)
    under = img.crop((l, t, r, b)).convert("RGB")
    beneath = {c for c, k in zip(under.getdata(), ink.getdata()) if k >= 128}
    TEXT_LOG.append(dict(text=s, colour=tuple(fill), beneath=beneath, exempt=exempt))


def text(img, pos, s, f, fill, anchor="la", exempt=None):
    """Text at a design position; exempt names why a text needs no contrast (a logo)."""
    pos = (S(pos[0]), S(pos[1]))
    if TEXT_LOG is not None:
        _log_text(img, pos, s, f, fill, anchor, exempt)
    if PERCENT == 100:
        ImageDraw.Draw(img).text(pos, s, font=f, fill=fill, anchor=anchor)
        return
    # The scaled sets' text keeps TEXT_LEVELS steps of coverage, as few as Windows'
    # own greyscale smoothing uses: the pictures need far fewer palette colours.
    l, t, r, b = ImageDraw.Draw(img).textbbox(pos, s, font=f, anchor=anchor)
    l, t, r, b = int(l) - 1, int(t) - 1, int(r) + 2, int(b) + 2
    ink = Image.new("L", (r - l, b - t), 0)
    ImageDraw.Draw(ink).text((pos[0] - l, pos[1] - t), s, font=f, fill=255, anchor=anchor)
    ink = ink.point(lambda v: int(round(v * TEXT_LEVELS / 255.0)) * 255 // TEXT_LEVELS)
    img.paste(Image.new("RGB", ink.size, fill), (l, t), ink)


TEXT_LEVELS = 4


def text_vertical(img, centre, s, f, fill, bg):
    """Text running bottom to top, centred on centre."""
    w = int(f.getlength(s)) + 4
    h = f.size + 6
    tile = Image.new("RGB", (w, h), bg)
    if TEXT_LOG is not None:
        _log_text(tile, (w / 2, h / 2), s, f, fill, "mm", None)
    ImageDraw.Draw(tile).text((w / 2, h / 2), s, font=f, fill=fill, anchor="mm")
    tile = tile.rotate(90, expand=True)
    img.paste(tile, (int(S(centre[0]) - tile.width / 2), int(S(centre[1]) - tile.height / 2)))


def shape_fill(img, mask, fill, edge):
    """Fill the inside of a hard mask (255 = inside) and ring it with an edge one
    design pixel wide."""
    from PIL import ImageFilter
    inner = mask.filter(ImageFilter.MinFilter(2 * max(1, R(1)) + 1))
    img.paste(Image.new("RGB", img.size, edge), (0, 0), mask)
    img.paste(_fill_layer(img.size, fill), (0, 0), inner)
