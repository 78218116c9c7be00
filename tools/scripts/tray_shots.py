#!/usr/bin/env python3
"""Screenshots of the tray companion with real clicks on the display: its menu opened with a right
click on the icon (profile 2 checked), the program profiles dialog holding two rules, and the menu
again while Pointwick is open.

Usage: tray_shots.py PROGRAM_DIR SKIN_DIR OUT_DIR"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import desktop  # noqa: E402

TWO_RULES = ("[ProgramProfiles]\r\nEnabled=1\r\nOtherPrograms=0\r\n"
             "[Rule1]\r\nProgram=photoedit.exe\r\nProfile=2\r\n"
             "[Rule2]\r\nProgram=RaceGame.exe\r\nProfile=5\r\n")


def shoot(out, name, rect):
    full = os.path.join(out, ".screen.png")
    desktop.screenshot(full)
    desktop.crop(full, os.path.join(out, name), rect)
    os.remove(full)
    print(os.path.join(out, name))


def main(program_dir, skin_dir, out):
    os.makedirs(out, exist_ok=True)
    items = desktop.skin_items(skin_dir, "skin_program_profiles.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir, programs=("Glimmet.exe", "Pointwick.exe"))
    with desktop.ProfileGuard() as guard, desktop.FileGuard(desktop.rules_file()) as rules:
        desktop.write_profile(guard.path, 1, {})
        with open(rules.path, "w", newline="") as f:
            f.write(TWO_RULES)
        companion = desktop.start_program(folder.path, "Glimmet.exe")
        try:
            x, y = desktop.tray_icon()
            menu = desktop.open_popup_menu(x, y)
            time.sleep(0.5)
            left, top, w, h = menu
            shoot(out, "tray-menu.png", (max(0, x - 20), max(0, y - 20), left + w, top + h))
            desktop.click(*desktop.menu_item_centre(menu, 1, items=9, separators=2), pause=1.5)
            dialog = desktop.find_window("Program profiles", timeout=15)
            dx, dy, dw, dh = desktop.window_geometry(dialog)
            shoot(out, "program-profiles.png", (dx, dy, dx + dw, dy + dh))
            desktop.click(*desktop.centre(items["4"], (dx, dy)), pause=1.0)  # Cancel
            editor = desktop.start_program(folder.path)
            origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
            time.sleep(1.0)
            menu = desktop.open_popup_menu(x, y)
            time.sleep(0.5)
            shoot(out, "tray-menu-pointwick-open.png", (max(0, x - 20), max(0, y - 20), menu[0] + menu[2], menu[1] + menu[3]))
            desktop.click(menu[0] + menu[2] + 200, menu[1] + menu[3] + 200, pause=0.5)  # closes the menu
            main_items = desktop.skin_items(skin_dir, "skin_main.ini")
            desktop.click(*desktop.centre(main_items["5"], origin), pause=1.0)  # Cancel: Pointwick ends
            desktop.end_program(editor)
            exit_menu = desktop.open_popup_menu(x, y)
            desktop.click(*desktop.menu_item_centre(exit_menu, 8, items=9, separators=2, before=2))
            companion.wait(timeout=15)
        finally:
            if companion.poll() is None:
                companion.kill()
            folder.remove()
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
