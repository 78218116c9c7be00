#!/usr/bin/env python3
"""Another program, and the screen's edge, with real clicks and keys on the test display.
1. The label of mouse button 4 opens its menu; a click on another program's window closes it
   without a choice: a click where its item "11" was finds no menu, and after Apply button 4
   still holds its own code 11 (or nothing was written).
2. The main window dragged by its face to the screen's right edge; the label of mouse button 5,
   "Key / Macro": the key panel opens at the main window's left edge, wholly on the screen, and a
   key typed at once is recorded: after the panel's close button and Apply, button 5 holds it.

Usage: journey_away_and_edge.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

TITLE, OTHER = "Mouse Driver", "Other program"
SCREEN = (1280, 1024)
KEY_Q = 0x14  # HID usage


def windows_of_size(size):
    return {w for w in desktop.visible_windows() if desktop.window_geometry(w)[2:] == size}


def saved_record(profile, button, done):
    end = time.time() + 15
    while time.time() < end:
        if os.path.exists(profile) and done(desktop.record(profile, 0, button)):
            break
        time.sleep(0.25)
    return desktop.record(profile, 0, button) if os.path.exists(profile) else None


def menu_closes_when_away(skins, main, origin, profile):
    menu, menu_size = desktop.skin_items(skins, "skin_menu.ini"), desktop.picture_size(skins, "skin_menu.ini")
    hotspot = main["9"]  # mouse button 4
    desktop.click(*desktop.centre(hotspot, origin), pause=0.8)
    opened = windows_of_size(menu_size)
    if not opened:
        return ["no menu opened under mouse button 4"]
    x, y, w, h = desktop.window_geometry(desktop.find_window(OTHER))
    desktop.click(x + w // 2, y + h // 2, pause=1.0)
    failures = ["the menu stayed open when another program was clicked"] if opened & windows_of_size(menu_size) else []
    desktop.click(*desktop.centre(menu["11"], (origin[0] + hotspot[0], origin[1] + hotspot[3])))  # "Button off"
    desktop.click(*desktop.centre(main["4"], origin), pause=1.5)  # Apply
    record = saved_record(profile, 4, lambda r: True)
    if record and record[1] != 11:
        failures.append("button 4 holds code %d after the menu was left, not 11" % record[1])
    return failures


def key_panel_at_the_edge(skins, main, window, profile):
    x, y, width, _ = desktop.drag_to_right_edge(window, SCREEN[0])
    if x + width != SCREEN[0]:
        return ["the main window was dragged to %d, not to the screen's right edge" % x]
    hotspot = main["10"]  # mouse button 5
    desktop.click(*desktop.centre(hotspot, (x, y)), pause=0.8)
    item = desktop.skin_items(skins, "skin_menu.ini")["5"]  # "Key / Macro"
    desktop.click(*desktop.centre(item, (x + hotspot[0], y + hotspot[3])), pause=0.05)
    desktop.keys("q", pause=1.0)  # at once, while the panel slides open
    panels = [desktop.window_geometry(w) for w in windows_of_size(desktop.picture_size(skins, "skin_key_expand.ini"))]
    if len(panels) != 1:
        return ["%d open key panels are on the screen, not one" % len(panels)]
    px, py, pw, ph = panels[0]
    failures = []
    if px < 0 or py < 0 or px + pw > SCREEN[0] or py + ph > SCREEN[1]:
        failures.append("the key panel at %s passes the screen's edge" % (panels[0],))
    if px + pw != x:
        failures.append("the key panel at %s is not at the main window's left edge %d" % (panels[0], x))
    close = desktop.skin_items(skins, "skin_key_expand.ini")["1"]
    desktop.click(*desktop.centre(close, (px, py)), pause=1.0)
    desktop.click(*desktop.centre(main["4"], (x, y)))  # Apply
    record = saved_record(profile, 5, lambda r: r[1] == 5)
    if not record or record[1] != 5 or record[4] != KEY_Q:
        failures.append("button 5 holds %s, not the key Q" % (record[:6].hex() if record else "nothing"))
    return failures


def main(program_dir, skin_dir, tools_bin, test_bin):
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    with desktop.ProfileGuard() as guard:
        service = desktop.StandIn(tools_bin, guard.path)
        other = subprocess.Popen(["wine", os.path.join(test_bin, "FrontProbe.exe"), OTHER], env=desktop.wine_env(),
                                 stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        program = None
        try:
            desktop.find_window(OTHER)
            program = desktop.start_program(folder.path)
            window = desktop.find_window(TITLE)
            time.sleep(2.0)  # the panels and pictures come in two ticks after the first paint
            failures += menu_closes_when_away(skin_dir, main_items, desktop.window_origin(window), guard.path)
            failures += key_panel_at_the_edge(skin_dir, main_items, window, guard.path)
            desktop.click(*desktop.centre(main_items["5"], desktop.window_origin(window)))  # Cancel
        finally:
            if program:
                desktop.end_program(program)
            desktop.end_program(other, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_away_and_edge", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
