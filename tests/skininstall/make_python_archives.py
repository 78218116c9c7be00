"""Writes archives with Python's zipfile for the interoperability tests:
make_python_archives.py SOURCE_TREE ARCHIVE_DIR CASES_FILE. Appends "name -" to CASES_FILE
for each archive (zipfile writes no encrypted archives)."""
import io
import os
import sys
import zipfile

source, archives, cases = sys.argv[1:4]


def files_of(tree):
    for folder, _, names in sorted(os.walk(tree)):
        for name in sorted(names):
            path = os.path.join(folder, name)
            yield os.path.relpath(path, tree).replace(os.sep, "/"), path


def add_case(name):
    with open(cases, "a") as out:
        out.write(name + " -\n")


class Unseekable(io.RawIOBase):
    """An output that cannot seek back, like a pipe: every entry gets a data descriptor."""

    def __init__(self, target):
        self.target = target

    def writable(self):
        return True

    def write(self, data):
        return self.target.write(data)


def write_forced(archive):
    for name, path in files_of(source):
        with open(path, "rb") as data, archive.open(name, "w", force_zip64=True) as entry:
            entry.write(data.read())


# Zip64 extra fields in every local header, sizes known in advance.
with zipfile.ZipFile(os.path.join(archives, "py_force_zip64.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    write_forced(z)
add_case("py_force_zip64")

# Zip64 extra fields and data descriptors with 8-byte sizes.
with open(os.path.join(archives, "py_stream_zip64.zip"), "wb") as raw:
    with zipfile.ZipFile(Unseekable(raw), "w", zipfile.ZIP_DEFLATED) as z:
        write_forced(z)
add_case("py_stream_zip64")

# More entries than the end record can count: the Zip64 end record holds the count.
with zipfile.ZipFile(os.path.join(archives, "py_70000.zip"), "w", zipfile.ZIP_STORED) as z:
    for i in range(70000):
        z.writestr("f%02d/e%05d.txt" % (i // 1000, i), b"entry %d\n" % i)
add_case("py_70000")

# Folders as names ending in "/", without the directory attribute.
with zipfile.ZipFile(os.path.join(archives, "py_folders.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    for folder in ("skin/", "skin/main/", "empty/", "empty/deeper/"):
        z.writestr(zipfile.ZipInfo(folder), b"")
    z.writestr("skin/main/face.bmp", b"BM" + bytes(range(256)) * 40)
add_case("py_folders")

# Names with characters outside ASCII: zipfile flags them UTF-8.
with zipfile.ZipFile(os.path.join(archives, "py_utf8.zip"), "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("Gr\u00f6\u00dfe.ini", b"[Size]\r\n")
    z.writestr("caf\u00e9/cr\u00e8me.bmp", b"BM" + bytes(range(200)) * 30)
    z.writestr("plain.txt", b"ascii")
add_case("py_utf8")
