#!/usr/bin/python3
"""Makes the user guide "Help.pdf" from its Markdown source and the screenshots of the gallery.

Usage: build_guide.py SOURCE.md STYLE.css PICTURES_DIR VERSION WORK_DIR OUT.pdf

Beside ordinary Markdown the source has two kinds of lines of its own:
  [contents]                               the list of the sections (level-2 headings) with pages
  [figure: first.png, second.png] Caption  a picture with its caption: the first of the named
                                           files that the gallery holds; none, no figure
"@VERSION@" stands for the version. Each picture is trimmed of the plain screen around the window
(a uniform border) and copied to WORK_DIR/pictures; WORK_DIR also receives the HTML. The PDF's
dates come from SOURCE_DATE_EPOCH when it is set, so that a build can be repeated exactly.
Needs Debian's python3-markdown, python3-pil and weasyprint (run with /usr/bin/python3)."""
import html
import os
import re
import sys

import markdown
from PIL import Image, ImageChops

FIGURE = re.compile(r"^\[figure:\s*([^\]]+)\]\s*(.*)$")
CONTENTS = "[contents]"
SCALE = 0.65  # screen pixels to CSS pixels: screenshots print a little smaller than on screen
SMALL = 260   # CSS pixels: a small window prints at up to its screen size, at least this wide
MARGIN = 10   # screen pixels of the desktop kept around a trimmed window


def slug(title):
    return "section-" + re.sub(r"[^a-z0-9]+", "-", title.lower()).strip("-")


def trimmed(source, target):
    """Copies a screenshot without the uniform border around the window; returns its size."""
    with Image.open(source) as image:
        image = image.convert("RGB")
        background = Image.new("RGB", image.size, image.getpixel((0, 0)))
        box = ImageChops.difference(image, background).getbbox()
        if box:
            left, top, right, bottom = box
            image = image.crop((max(0, left - MARGIN), max(0, top - MARGIN),
                                min(image.width, right + MARGIN), min(image.height, bottom + MARGIN)))
        image.save(target, format="PNG", optimize=True)
        return image.size


class Figures:
    def __init__(self, pictures, work):
        self.pictures = pictures
        self.folder = os.path.join(work, "pictures")
        os.makedirs(self.folder, exist_ok=True)
        self.used = []
        self.missing = []

    def html(self, names, caption):
        candidates = [n.strip() for n in names.split(",") if n.strip()]
        for name in candidates:
            source = os.path.join(self.pictures, name)
            if os.path.isfile(source) and name not in self.used:
                self.used.append(name)
                target = os.path.join(self.folder, name)
                width, height = trimmed(source, target)
                scale = max(SCALE, min(1.0, SMALL / width))
                return ('<figure><img src="%s" alt="%s" style="width: %.0fpx; height: %.0fpx">'
                        '<figcaption>%s</figcaption></figure>'
                        % (html.escape("pictures/" + name), html.escape(caption), width * scale, height * scale,
                           markdown.markdown(caption)[3:-4]))
        self.missing.append(candidates[0] if candidates else "?")
        return ""


def expand(source, version, figures):
    """The Markdown with figures and the list of sections as HTML blocks."""
    text = source.replace("@VERSION@", version)
    sections = [line[3:].strip() for line in text.splitlines() if line.startswith("## ")]
    out = []
    for line in text.splitlines():
        match = FIGURE.match(line)
        if line.startswith("## "):
            title = line[3:].strip()
            out.append("## %s {: #%s }" % (title, slug(title)))
        elif match:
            out.extend(["", figures.html(match.group(1), match.group(2)), ""])
        elif line.strip() == CONTENTS:
            items = "".join('<li><a href="#%s">%s</a></li>' % (slug(t), html.escape(t)) for t in sections)
            out.extend(["", '<nav class="contents"><h3>Contents</h3><ol>%s</ol></nav>' % items, ""])
        else:
            out.append(line)
    return "\n".join(out)


def main(source_path, style_path, pictures, version, work, pdf):
    os.makedirs(work, exist_ok=True)
    figures = Figures(pictures, work)
    with open(source_path, encoding="utf-8") as f:
        body = markdown.markdown(expand(f.read(), version, figures),
                                 extensions=["tables", "attr_list", "sane_lists", "smarty"])
    with open(style_path, encoding="utf-8") as f:
        style = f.read()
    page = ('<!DOCTYPE html><html lang="en"><head><meta charset="utf-8">'
            '<title>Pointwick user guide</title><meta name="author" content="Pointwick">'
            '<style>%s</style></head><body>%s</body></html>' % (style, body))
    html_path = os.path.join(work, "Help.html")
    with open(html_path, "w", encoding="utf-8") as f:
        f.write(page)

    import weasyprint  # after the HTML: a failing import still leaves the page to look at
    document = weasyprint.HTML(string=page, base_url=work).render()
    if os.environ.get("SOURCE_DATE_EPOCH"):
        import datetime
        stamp = datetime.datetime.fromtimestamp(int(os.environ["SOURCE_DATE_EPOCH"]), datetime.timezone.utc)
        document.metadata.created = document.metadata.modified = stamp.strftime("%Y-%m-%dT%H:%M:%SZ")
    document.write_pdf(pdf)
    print("%s: %d pages, %d pictures" % (pdf, len(document.pages), len(figures.used)))
    for name in figures.missing:
        print("guide: no picture for the figure of %s yet" % name)
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:7]))
