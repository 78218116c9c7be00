#!/usr/bin/env python3
"""The program at the display scales users run, with real input on the test display.
1. With the prefix's DPI ("LogPixels") at 96, 120, 144 and 192 the main window is the scale times
   its 100 percent size, within a pixel.
2. At 144 DPI, clicking where the skin's 150 percent set places things: the label of mouse
   button 4 (the window first dragged to the screen's left edge, so that the key panel fits),
   item "6" of its menu, then the label of mouse button 5, "advance", macro mode, Shift+A
   typed, the delay button, the panel's close button, Apply. The profile file holds code 10 for
   button 4 and the four key events for button 5.

Usage: journey_scaled.py PROGRAM_DIR SKIN_DIR"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

MAIN_SIZE = (680, 392)
LEFT_SHIFT, KEY_A = 225, 4  # HID usages
RELEASE, PAUSE = 0x01, 0x80
MACRO_ON_5 = bytes([5, 6, 0, 4, LEFT_SHIFT, 0, KEY_A, 0, KEY_A, RELEASE, LEFT_SHIFT, RELEASE | PAUSE]) + bytes(32)


def scaled(v, percent):
    return (v * percent * 2 + 100) // 200  # the rounding the skin generator and the program share


def set_dpi(dpi):
    desktop.run("wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD",
                "/d", str(dpi), "/f")
    subprocess.run(["wineserver", "-k"], env=desktop.wine_env())  # read again by the next program
    time.sleep(1.0)


def main_window_size(folder):
    program = desktop.start_program(folder)
    try:
        window = desktop.find_window("Mouse Driver")
        time.sleep(1.0)
        return desktop.window_geometry(window)[2:]
    finally:
        desktop.end_program(program, timeout=0)


def assign_and_record(folder, skins, profile_path):
    main_items = desktop.skin_items(skins, "skin_main.ini")
    menu_items = desktop.skin_items(skins, "skin_menu.ini")
    panel_items = desktop.skin_items(skins, "skin_key_expand.ini")
    program = desktop.start_program(folder)
    try:
        window = desktop.find_window("Mouse Driver")
        time.sleep(1.0)
        x, y, width, _ = desktop.window_geometry(window)
        # At 150 percent the key panel beside the centred window would pass the screen's right
        # edge: the window is dragged by its face to the left edge first.
        grip = (x + scaled(250, 150), y + scaled(16, 150))
        desktop.run("xdotool", "mousemove", str(grip[0]), str(grip[1]), "mousedown", "1")
        for step in range(1, 11):
            desktop.run("xdotool", "mousemove", str(grip[0] - x * step // 10), str(grip[1]))
            time.sleep(0.05)
        desktop.run("xdotool", "mouseup", "1")
        time.sleep(0.5)
        x, y, width, _ = desktop.window_geometry(window)
        for hotspot, item in (("9", "6"), ("10", "5")):  # button 4: item 6; button 5: "advance"
            rect = main_items[hotspot]
            desktop.click(*desktop.centre(rect, (x, y)), pause=0.8)
            desktop.click(*desktop.centre(menu_items[item], (x + rect[0], y + rect[3])), pause=1.5)
        # Slid open at the main window's right edge, shifted in where it would pass the screen's.
        panel = (min(x + width, 1280 - scaled(240, 150)), y + scaled(11, 150))
        desktop.click(*desktop.centre(panel_items["4"], panel))  # macro mode
        desktop.run("xdotool", "keydown", "--delay", "120", "Shift_L", "keydown", "a", "keyup", "a",
                    "keyup", "Shift_L")
        time.sleep(0.5)
        desktop.click(*desktop.centre(panel_items["8"], panel))  # delay
        desktop.click(*desktop.centre(panel_items["1"], panel), pause=1.0)  # close the panel
        desktop.click(*desktop.centre(main_items["4"], (x, y)))  # Apply
        failures, end = [], time.time() + 15
        while time.time() < end:
            try:
                if desktop.record(profile_path, 0, 5) == MACRO_ON_5:
                    break
            except Exception:  # not written yet
                pass
            time.sleep(0.25)
        button4, button5 = desktop.record(profile_path, 0, 4), desktop.record(profile_path, 0, 5)
        if button4[1] != 10:
            failures.append("at 144 DPI button 4 holds code %d, not 10" % button4[1])
        if button5 != MACRO_ON_5:
            failures.append("at 144 DPI button 5 holds %s, not %s" % (button5.hex(), MACRO_ON_5.hex()))
        desktop.click(*desktop.centre(main_items["5"], (x, y)))  # Cancel: the program ends
        program.wait(timeout=20)
        return failures
    finally:
        desktop.end_program(program, timeout=0)


def main(program_dir, skin_dir):
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    try:
        with desktop.ProfileGuard() as guard:
            for dpi in (96, 120, 144, 192):
                set_dpi(dpi)
                percent = dpi * 100 // 96 + (1 if dpi * 100 % 96 >= 48 else 0)
                size = main_window_size(folder.path)
                expected = tuple(scaled(v, percent) for v in MAIN_SIZE)
                if any(abs(a - b) > 1 for a, b in zip(size, expected)):
                    failures.append("at %d DPI the main window is %s, not %s" % (dpi, size, expected))
            set_dpi(144)
            failures += assign_and_record(folder.path, os.path.join(skin_dir, "150"), guard.path)
            set_dpi(96)
    finally:
        folder.remove()
    return desktop.report("journey_scaled", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
