#!/usr/bin/python3
"""Writes what the files of a skin package take once unpacked, in KB (rounded up).

Usage: skins_kb.py SKINS_ZIP OUT"""
import sys
import zipfile


def main(package, out):
    with zipfile.ZipFile(package) as archive:
        kb = (sum(entry.file_size for entry in archive.infolist()) + 1023) // 1024
    with open(out, "w") as f:
        f.write(str(kb))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
