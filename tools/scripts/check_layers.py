#!/usr/bin/env python3
"""Checks that the folders of src/ depend downward only.

Layers, lowest first; a file may include headers of its own folder and of folders in lower
layers, never of a folder in its own layer or above:

  1. win32                      Win32 helpers: handle owners, window core, INI, registry
  2. settings, skin             the settings store; the skin engine
  3. panels                     the pointer panels and the profile and configuration dialogs
  4. assign                     button assignment: catalogue, menus, macro editor, warnings
  5. app, tray, skininstall     the three programs

Usage: check_layers.py SRC_DIR   (exit 1 and one line per offending include)
"""
import pathlib
import re
import sys

LAYERS = [
    ["win32"],
    ["settings", "skin"],
    ["panels"],
    ["assign"],
    ["app", "tray", "skininstall"],
]
RANK = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/[^"]+"')
SOURCES = {".h", ".hpp", ".cpp", ".c", ".rc"}


def offences(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in SOURCES or not path.is_file():
            continue
        folder = path.relative_to(src).parts[0]
        if folder not in RANK:
            found.append(f"{path.relative_to(src)}: folder '{folder}' has no layer")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for number, line in enumerate(text.splitlines(), 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = match.group(1)
            if target == folder or target not in RANK:
                continue
            if RANK[target] >= RANK[folder]:
                found.append(f"{path.relative_to(src)}:{number}: {folder}/ may not include "
                             f"{target}/ (layer {RANK[target] + 1} is not below layer {RANK[folder] + 1})")
    return found


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = offences(pathlib.Path(argv[1]))
    for line in found:
        print(line)
    print(f"layers: {len(found)} offending include(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
