#!/usr/bin/env python3
"""The key panel with real input on the test display: the label of mouse button 4, "advance" in
the menu that drops down under it, macro mode, Shift+A typed on the keyboard, the delay button,
the panel's close button, Apply. The profile file then holds for button 4 exactly the four key
events, with the pause on the last, and nothing else.

Usage: journey_macro.py PROGRAM_DIR SKIN_DIR"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

LEFT_SHIFT, KEY_A = 225, 4  # HID usages
RELEASE, PAUSE = 0x01, 0x80
# Button 4, keyboard macro (code 6), option 0, four events; the other sixteen slots zero.
EXPECTED = bytes([4, 6, 0, 4, LEFT_SHIFT, 0, KEY_A, 0, KEY_A, RELEASE, LEFT_SHIFT, RELEASE | PAUSE]) + bytes(32)


def main(program_dir, skin_dir):
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    menu_items = desktop.skin_items(skin_dir, "skin_menu.ini")
    panel_items = desktop.skin_items(skin_dir, "skin_key_expand.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    with desktop.ProfileGuard() as guard:
        program = desktop.start_program(folder.path)
        try:
            window = desktop.find_window("Mouse Driver")
            time.sleep(1.0)
            origin = desktop.window_origin(window)
            width = int(dict(line.split("=", 1) for line in
                             desktop.run("xdotool", "getwindowgeometry", "--shell", window).split())["WIDTH"])
            hotspot = main_items["9"]  # mouse button 4
            desktop.click(*desktop.centre(hotspot, origin), pause=0.8)
            anchor = (origin[0] + hotspot[0], origin[1] + hotspot[3])  # the menu drops below it
            desktop.click(*desktop.centre(menu_items["5"], anchor), pause=1.5)  # "advance"
            panel = (origin[0] + width, origin[1] + 11)  # slid open at the main window's right edge
            desktop.click(*desktop.centre(panel_items["4"], panel))  # macro mode
            # Shift+A as fingers type it: Shift down, A down, A up, Shift up.
            desktop.run("xdotool", "keydown", "--delay", "120", "Shift_L", "keydown", "a",
                        "keyup", "a", "keyup", "Shift_L")
            time.sleep(0.5)
            desktop.click(*desktop.centre(panel_items["8"], panel))  # delay
            desktop.click(*desktop.centre(panel_items["1"], panel), pause=1.0)  # close the panel
            desktop.click(*desktop.centre(main_items["4"], origin))  # Apply
            record = None
            end = time.time() + 15
            while record is None and time.time() < end:
                try:
                    record = desktop.record(guard.path, 0, 4)
                except Exception:  # not written yet
                    time.sleep(0.25)
            if record != EXPECTED:
                failures.append("button 4 holds %s, not %s" % (record.hex() if record else None, EXPECTED.hex()))
            desktop.click(*desktop.centre(main_items["5"], origin))  # Cancel: the program ends
            program.wait(timeout=20)
        finally:
            desktop.end_program(program, timeout=0)
            folder.remove()
    return desktop.report("journey_macro", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
