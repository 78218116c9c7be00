#!/usr/bin/python3
"""Pictures for the user guide that the other screenshot scripts do not take, with real input on
the display: Setup's welcome and components pages, and Glimmet's menu over the taskbar of a
Wine desktop (a desktop window with a taskbar and a notification area, as a user has one).

Setup's pages are taken of a setup program made for the pictures from the same script, with a
stand-in for the guide (the guide itself is being made from these pictures); the pages do not
show the guide. Nothing is installed: the wizard is cancelled on its third page.

Usage: guide_shots.py BUILD_DIR NSI ICON WIZARD_BITMAP VERSION
DISPLAY and WINEPREFIX come from the environment; writes BUILD_DIR/gallery/*.png."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import desktop  # noqa: E402

PROGRAM_FILES = ("Pointwick.exe", "Glimmet.exe", "Unfurlex.exe", "lan.dll", "skins.zip")
DESKTOP_SIZE = (800, 500)
TYPICAL_GUIDE_SIZE = 1_100_000
HERE = os.path.dirname(os.path.abspath(__file__))


def geometry(window_id):
    values = dict(line.split("=", 1) for line in desktop.run("xdotool", "getwindowgeometry", "--shell",
                                                             window_id).split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def shoot(out, name, rect, margin=0):
    full = os.path.join(out, ".guide-screen.png")
    desktop.screenshot(full)
    desktop.crop(full, os.path.join(out, name), rect, margin=margin)
    os.remove(full)
    print(os.path.join(out, name))


def end(process, timeout=20):
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        raise AssertionError("a program did not end")


def guide_size(build):
    """The size of the guide in the program folder, or a typical one before the first is made."""
    try:
        return os.path.getsize(os.path.join(build, "program", "Help.pdf"))
    except OSError:
        return TYPICAL_GUIDE_SIZE


def setup_pages(build, nsi, icon, bitmap, version, out):
    work = tempfile.mkdtemp(prefix="pw-guide-setup-")
    try:
        folder = os.path.join(work, "program")
        os.mkdir(folder)
        for name in PROGRAM_FILES:
            shutil.copy(os.path.join(build, "program", name), folder)
        # The stand-in takes the room of the guide that the last build made, so that the space the
        # pages show is the space of the real Setup.
        with open(os.path.join(folder, "Help.pdf"), "wb") as f:
            f.write(b"%PDF-1.4\n% a stand-in: the guide is made from these pictures\n")
            f.truncate(guide_size(build))
        skins_kb = os.path.join(work, "skins_kb.txt")
        subprocess.run([sys.executable, os.path.join(HERE, "skins_kb.py"), os.path.join(folder, "skins.zip"),
                        skins_kb], check=True)
        setup = os.path.join(work, "PointwickSetup-%s.exe" % version)
        desktop.run("makensis", "-V1", "-DVERSION=" + version, "-DPROGRAM_DIR=" + folder, "-DICON=" + icon,
                    "-DWIZARD_BITMAP=" + bitmap, "-DSKINS_KB_FILE=" + skins_kb, "-DOUTFILE=" + setup, nsi)
        process = subprocess.Popen(["wine", setup], env=desktop.wine_env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        try:
            window = desktop.find_window("Pointwick %s Setup" % version)
            time.sleep(1.5)
            rect = geometry(window)
            box = (rect[0], rect[1], rect[0] + rect[2], rect[1] + rect[3])
            shoot(out, "setup-welcome.png", box)
            # Next: the button has the focus; a click on the window's face gives it the keyboard.
            desktop.click(rect[0] + rect[2] // 2, rect[1] + 20, pause=0.3)
            desktop.keys("Return", pause=1.2)
            shoot(out, "setup-components.png", box)
            desktop.keys("Escape", pause=0.5)  # Cancel: nothing is installed
            end(process)
        finally:
            if process.poll() is None:
                process.kill()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def tray_menu(build, out):
    work = tempfile.mkdtemp(prefix="pw-guide-tray-")
    try:
        for name in ("Glimmet.exe", "lan.dll"):
            shutil.copy(os.path.join(build, "program", name), work)
        os.mkdir(os.path.join(work, "skins"))
        shutil.copy(os.path.join(build, "skin", "skins", "logo.ico"), os.path.join(work, "skins"))
        size = "%dx%d" % DESKTOP_SIZE
        process = subprocess.Popen(["wine", "explorer", "/desktop=guide," + size, os.path.join(work, "Glimmet.exe")],
                                   env=desktop.wine_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            x, y, w, h = geometry(desktop.find_window("guide - Wine desktop"))
            time.sleep(2.0)
            # The notification area is the right end of the taskbar; the one icon is Glimmet's.
            desktop.run("xdotool", "mousemove", "--sync", str(x + w - 11), str(y + h - 10))
            time.sleep(0.2)
            desktop.run("xdotool", "click", "3")
            time.sleep(1.2)
            shoot(out, "guide-tray-menu.png", (x + w - 360, y + h - 290, x + w, y + h))
            desktop.keys("Up", "Return", pause=1.0)  # the menu's last item: Exit
            end(process)
        finally:
            if process.poll() is None:
                process.kill()
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main(build, nsi, icon, bitmap, version):
    out = os.path.join(build, "gallery")
    os.makedirs(out, exist_ok=True)
    failed = 0
    for name, shots in (("Setup's pages", lambda: setup_pages(build, nsi, icon, bitmap, version, out)),
                        ("Glimmet's menu", lambda: tray_menu(build, out))):
        try:
            shots()
        except (AssertionError, subprocess.CalledProcessError) as error:
            print("guide pictures: %s not taken: %s" % (name, error), file=sys.stderr)
            failed = 1
    return failed


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))
