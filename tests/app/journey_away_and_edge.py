#!/usr/bin/env python3
"""Real clicks and keys: mouse button 4's menu closes when another program's window is clicked, and
a click where its item "11" was changes nothing. At the screen's right edge, mouse button 5's
"Key / Macro" opens the key panel at the main window's left edge, wholly on the screen; a key
typed at once is saved by the panel's close button and Apply, and button 4 keeps its code 11.
Usage: journey_away_and_edge.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402


def windows_of(skins, ini):
    size = desktop.picture_size(skins, ini)
    return [desktop.window_geometry(w) for w in desktop.visible_windows() if desktop.window_geometry(w)[2:] == size]


def journey(skins, main, window, profile):
    menu, (x, y), failures = desktop.skin_items(skins, "skin_menu.ini"), desktop.window_origin(window), []
    desktop.click(*desktop.centre(main["9"], (x, y)), pause=0.8)
    if len(windows_of(skins, "skin_menu.ini")) != 1:
        return ["no menu opened under mouse button 4"]
    other = desktop.window_origin(desktop.find_window("Other"))
    desktop.click(other[0] + 100, other[1] + 80, pause=1.0)
    failures += ["the menu stayed open when another program was clicked"] if windows_of(skins, "skin_menu.ini") else []
    desktop.click(*desktop.centre(menu["11"], (x + main["9"][0], y + main["9"][3])))  # "Button off", had it stayed
    x, y, width, _ = desktop.drag_to_right_edge(window)
    desktop.click(*desktop.centre(main["10"], (x, y)), pause=0.8)
    desktop.click(*desktop.centre(menu["5"], (x + main["10"][0], y + main["10"][3])), pause=0.05)
    desktop.keys("q", pause=1.0)  # at once, while the panel slides open
    panels = windows_of(skins, "skin_key_expand.ini")
    if len(panels) != 1 or panels[0][0] < 0 or panels[0][0] + panels[0][2] != x or x + width != 1280:
        return failures + ["main window at %d, the open key panels at %s: not one at its left edge" % (x, panels)]
    desktop.click(*desktop.centre(desktop.skin_items(skins, "skin_key_expand.ini")["1"], panels[0][:2]), pause=1.0)
    desktop.click(*desktop.centre(main["4"], (x, y)))  # Apply
    end = time.time() + 15
    while not (os.path.exists(profile) and desktop.record(profile, 0, 5)[1] == 5) and time.time() < end:
        time.sleep(0.25)
    four, five = (desktop.record(profile, 0, b) if os.path.exists(profile) else bytes(5) for b in (4, 5))
    failures += ["button 4 holds code %d after its menu was left, not 11" % four[1]] if four[1] != 11 else []
    return failures + ([] if five[1] == 5 and five[4] == 0x14 else ["button 5 holds %s, not the key Q" % five[:5].hex()])


def main(program_dir, skin_dir, tools_bin, test_bin):
    folder, failures = desktop.ProgramFolder(program_dir, skin_dir), ["the journey did not end"]
    with desktop.ProfileGuard() as guard:
        service, other = desktop.StandIn(tools_bin, guard.path), desktop.start_program(test_bin, "FrontProbe.exe", "Other")
        program = desktop.start_program(folder.path)
        try:
            window = desktop.find_window("Mouse Driver")
            time.sleep(2.0)  # the panels and pictures come in two ticks after the first paint
            failures = journey(skin_dir, desktop.skin_items(skin_dir, "skin_main.ini"), window, guard.path)
        finally:
            for running in (program, other):
                desktop.end_program(running, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_away_and_edge", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
