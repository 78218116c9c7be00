#!/usr/bin/python3
"""The user guide as the build made it: every section the guide promises is in its contents and
has its heading, it carries at least five screenshots, and its pages render. Each page goes to the
gallery as guide-page-N.png for a person to look at.

Usage: test_guide_pdf.py HELP_PDF GALLERY_DIR"""
import glob
import os
import subprocess
import sys

from PIL import Image

SECTIONS = ("Installing", "Choosing what a button does", "Single keys", "Commands and macros",
            "Profiles and profile-switch buttons", "Backing up and restoring", "Resetting",
            "The tray companion", "Profiles for each program", "Skins and Unfurlex", "Troubleshooting")
MIN_PICTURES = 5


def run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


def main(pdf, gallery):
    failures = []
    text = run("pdftotext", "-layout", pdf, "-")
    for title in SECTIONS:
        # Once in the contents, once as the section's heading.
        if text.count(title) < 2:
            failures.append("section %r: %d times in the text" % (title, text.count(title)))

    # page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    rows = [line.split() for line in run("pdfimages", "-list", pdf).splitlines()[2:]]
    pictures = {(r[10], r[11]) for r in rows if r[2] == "image" and r[5] == "rgb"
                and int(r[3]) >= 150 and int(r[4]) >= 100}
    if len(pictures) < MIN_PICTURES:
        failures.append("%d screenshots in the guide, not at least %d" % (len(pictures), MIN_PICTURES))

    for old in glob.glob(os.path.join(gallery, "guide-page-*.png")):
        os.remove(old)
    run("pdftoppm", "-r", "60", "-png", pdf, os.path.join(gallery, "guide-page"))
    pages = sorted(glob.glob(os.path.join(gallery, "guide-page-*.png")))
    if not 3 <= len(pages) <= 16:
        failures.append("%d pages" % len(pages))
    for page in pages:
        with Image.open(page) as image:
            extrema = image.convert("L").getextrema()
        if extrema[0] > 128:
            failures.append("%s is blank" % os.path.basename(page))
        print(page)

    for failure in failures:
        print("FAILED:", failure)
    print("test_guide_pdf: %s" % ("passed" if not failures else "%d failures" % len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
