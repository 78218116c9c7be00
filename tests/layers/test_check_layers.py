#!/usr/bin/env python3
"""The layer check itself: it passes on the real tree and on a clean made-up tree, and fails
on each kind of wrong include in a made-up tree."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

HERE = pathlib.Path(__file__).resolve().parent
CHECK = HERE.parent.parent / "tools" / "scripts" / "check_layers.py"
SRC = HERE.parent.parent / "src"


def run(src):
    return subprocess.run([sys.executable, str(CHECK), str(src)], capture_output=True, text=True)


def tree(files):
    root = pathlib.Path(tempfile.mkdtemp())
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return root


CLEAN = {
    "win32/window.h": '#include <windows.h>\n',
    "skin/button.h": '#include "win32/window.h"\n#include "skin/other.h"\n',
    "settings/record.h": '#include "win32/ini_store.h"\n',
    "panels/panel.h": '#include "skin/button.h"\n#include "settings/record.h"\n',
    "assign/menu.h": '#include "panels/panel.h"\n',
    "app/main.cpp": '#include "assign/menu.h"\n#include "panels/panel.h"\n',
    "tray/tray.cpp": '#include "settings/record.h"\n',
}


class CheckLayersTest(unittest.TestCase):
    def test_the_real_tree_depends_downward_only(self):
        result = run(SRC)
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_a_clean_tree_passes(self):
        self.assertEqual(run(tree(CLEAN)).returncode, 0)

    def test_each_wrong_include_fails_and_is_named(self):
        wrong = [
            ("skin/button.h", '#include "app/main_window.h"\n', "skin/ may not include app/"),
            ("skin/button.h", '  #  include "settings/ini_file.h"\n', "skin/ may not include settings/"),
            ("win32/window.h", '#include "skin/button.h"\n', "win32/ may not include skin/"),
            ("tray/tray.cpp", '#include "app/language_library.h"\n', "tray/ may not include app/"),
            ("panels/panel.h", '#include "assign/menu.h"\n', "panels/ may not include assign/"),
            ("extra/thing.h", '#include "win32/window.h"\n', "folder 'extra' has no layer"),
        ]
        for name, text, message in wrong:
            with self.subTest(name=name, text=text):
                files = dict(CLEAN)
                files[name] = files.get(name, "") + text
                result = run(tree(files))
                self.assertEqual(result.returncode, 1, result.stdout)
                self.assertIn(message, result.stdout)


if __name__ == "__main__":
    unittest.main()
