"""Anti-aliased drawing primitives and the colour theme of the default skin.

Shapes are drawn into a supersampled coverage mask of their own bounding box
and composited onto the picture, so edges are smooth while the result stays
byte-for-byte reproducible.
"""

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
FAINT = (112, 118, 130)
TEXT_OFF = (92, 96, 106)
ACCENT = (52, 168, 255)
ACCENT_HI = (110, 196, 255)
ACCENT_DARK = (30, 108, 176)
GROOVE = (17, 19, 23)
KEY_COLOUR = (255, 0, 255)   # thumb background, cut away by the slider

_fonts = {}


def font(size, bold=False, narrow=False):
    name = "LiberationSans%s-%s.ttf" % ("Narrow" if narrow else "",
                                        "Bold" if bold else "Regular")
    key = (name, size)
    if key not in _fonts:
        _fonts[key] = ImageFont.truetype(FONT_DIR + name, size)
    return _fonts[key]


def fit_font(text, max_w, size, bold=True, min_size=8):
    """Largest font not above size in which text fits max_w (narrow face last)."""
    for narrow in (False, True):
        for s in range(size, min_size - 1, -1):
            f = font(s, bold, narrow)
            if f.getlength(text) <= max_w:
                return f
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
    box = (int(x), int(y), int(x + w + 0.999), int(y + h + 0.999))

    def shape(inset, rad):
        def fn(d, t):
            a = t(x + inset, y + inset)
            b = t(x + w - inset, y + h - inset)
            d.rounded_rectangle((a[0], a[1], b[0] - 1, b[1] - 1),
                                radius=max(0, rad) * SS, fill=255)
        return _cover(box, fn)

    if outline is not None:
        _composite(img, box, shape(0, r), outline)
        _composite(img, box, shape(width, r - width), fill)
    else:
        _composite(img, box, shape(0, r), fill)


def polygon(img, pts, fill):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    box = (int(min(xs)) - 1, int(min(ys)) - 1, int(max(xs)) + 2, int(max(ys)) + 2)
    _composite(img, box, _cover(box, lambda d, t: d.polygon([t(*p) for p in pts], fill=255)),
               fill)


def ellipse(img, cx, cy, rx, ry, fill):
    box = (int(cx - rx) - 1, int(cy - ry) - 1, int(cx + rx) + 2, int(cy + ry) + 2)

    def fn(d, t):
        a, b = t(cx - rx, cy - ry), t(cx + rx, cy + ry)
        d.ellipse((a[0], a[1], b[0] - 1, b[1] - 1), fill=255)
    _composite(img, box, _cover(box, fn), fill)


def line(img, pts, fill, width=1.0):
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    pad = int(width) + 2
    box = (int(min(xs)) - pad, int(min(ys)) - pad, int(max(xs)) + pad + 1,
           int(max(ys)) + pad + 1)

    def fn(d, t):
        d.line([t(*p) for p in pts], fill=255, width=max(1, int(width * SS)), joint="curve")
    _composite(img, box, _cover(box, fn), fill)


def text(img, pos, s, f, fill, anchor="la"):
    ImageDraw.Draw(img).text(pos, s, font=f, fill=fill, anchor=anchor)


def text_vertical(img, centre, s, f, fill, bg):
    """Text running bottom to top, centred on centre."""
    w = int(f.getlength(s)) + 4
    h = f.size + 6
    tile = Image.new("RGB", (w, h), bg)
    ImageDraw.Draw(tile).text((w / 2, h / 2), s, font=f, fill=fill, anchor="mm")
    tile = tile.rotate(90, expand=True)
    img.paste(tile, (int(centre[0] - tile.width / 2), int(centre[1] - tile.height / 2)))


def shape_fill(img, mask, fill, edge):
    """Fill the inside of a hard mask (255 = inside) and ring it with a 1 px edge."""
    from PIL import ImageFilter
    inner = mask.filter(ImageFilter.MinFilter(3))
    img.paste(Image.new("RGB", img.size, edge), (0, 0), mask)
    img.paste(_fill_layer(img.size, fill), (0, 0), inner)
