#!/usr/bin/env python3
"""A user's first assignments, with real clicks on the test display.
1. The label of mouse button 4, item "6" of the menu that drops down under it ("Windows
   button4"), then Apply: the profile file holds code 10 for button 4 of the current profile,
   and the service heard 1275, then 1279 at least a second later; the footer's status line,
   read as a screen reader reads it, said nothing before and "Settings saved" after.
2. The label of mouse button 5, item "8" ("Switch profile..."), profile 3 in the dialog that
   opens, OK: the dialog's OK asks for a save, so the file holds code 20 for button 5 and the
   service hears 1279 again.
3. Mouse button 4's menu closes when another program's window is clicked: a click where its item
   "11" was changes nothing. Dragged to the screen's right edge, the window opens the key panel
   for button 5's "Key / Macro" at its left edge, wholly on the screen; a key typed at once is
   saved by the panel's close button and Apply, and button 4 keeps its code 10.

Usage: journey_assign.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402
from journey_keyboard import STATIC_TEXT, FocusProbe  # noqa: E402

RELOAD_PROFILES, RELOAD_ALL = 1275, 1279


def switch_profile(skin_dir, main_items, origin, profile_path, service):
    heard_before = len(service.messages())
    hotspot = main_items["10"]  # mouse button 5
    desktop.click(*desktop.centre(hotspot, origin), pause=0.8)
    menu_items = desktop.skin_items(skin_dir, "skin_menu.ini")
    desktop.click(*desktop.centre(menu_items["8"], (origin[0] + hotspot[0], origin[1] + hotspot[3])), pause=0.8)
    dialog = desktop.centred_over(origin, (680, 392), desktop.picture_size(skin_dir, "skin_profile_set.ini"))
    dialog_items = desktop.skin_items(skin_dir, "skin_profile_set.ini")
    desktop.click(*desktop.centre(dialog_items["8"], dialog))  # profile 3
    desktop.click(*desktop.centre(dialog_items["3"], dialog), pause=1.0)  # OK
    end = time.time() + 15
    while RELOAD_ALL not in [m for m, _ in service.messages()[heard_before:]] and time.time() < end:
        time.sleep(0.2)
    failures = []
    code = desktop.record(profile_path, 0, 5)[1]
    if code != 20:
        failures.append("button 5 holds code %d, not 20" % code)
    if RELOAD_ALL not in [m for m, _ in service.messages()[heard_before:]]:
        failures.append("the save asked for by the dialog's OK did not reach the service")
    return failures


def windows_of(skins, ini):
    size = desktop.picture_size(skins, ini)
    return [desktop.window_geometry(w) for w in desktop.visible_windows() if desktop.window_geometry(w)[2:] == size]


def away_and_edge(skins, main, window, profile):
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
    while desktop.record(profile, 0, 5)[1] != 5 and time.time() < end:
        time.sleep(0.25)
    four, five = desktop.record(profile, 0, 4), desktop.record(profile, 0, 5)
    failures += ["button 4 holds code %d after its menu was left, not 10" % four[1]] if four[1] != 10 else []
    return failures + ([] if five[1] == 5 and five[4] == 0x14 else ["button 5 holds %s, not the key Q" % five[:5].hex()])


def status_line(probe):
    """The texts of the main window's own static text children: its status line."""
    return [c[6] for c in probe.children() if len(c) > 6 and c[1] == "PwSkinControl" and c[4] == str(STATIC_TEXT)]


def main(program_dir, skin_dir, tools_bin, test_bin):
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    menu_items = desktop.skin_items(skin_dir, "skin_menu.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    with desktop.ProfileGuard() as guard:
        service = desktop.StandIn(tools_bin, guard.path)
        other = desktop.start_program(test_bin, "FrontProbe.exe", "Other")  # another program's window
        program = desktop.start_program(folder.path)
        probe = None
        try:
            origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
            time.sleep(1.0)
            probe = FocusProbe(test_bin)
            said_before = status_line(probe)
            hotspot = main_items["9"]  # mouse button 4
            desktop.click(*desktop.centre(hotspot, origin), pause=0.8)
            anchor = (origin[0] + hotspot[0], origin[1] + hotspot[3])  # the menu drops below it
            desktop.click(*desktop.centre(menu_items["6"], anchor), pause=0.8)
            desktop.click(*desktop.centre(main_items["4"], origin))  # Apply
            end = time.time() + 15
            while RELOAD_ALL not in [m for m, _ in service.messages()] and time.time() < end:
                time.sleep(0.2)
            record = desktop.record(guard.path, 0, 4)
            heard = [(m, ms) for m, ms in service.messages() if m in (RELOAD_PROFILES, RELOAD_ALL)]
            failures = []
            if said_before != [""] or status_line(probe) != ["Settings saved"]:
                failures.append("the status line said %s before Apply, %s after" % (said_before, status_line(probe)))
            if record[1] != 10:
                failures.append("button 4 holds code %d, not 10" % record[1])
            if [m for m, _ in heard] != [RELOAD_PROFILES, RELOAD_ALL]:
                failures.append("the service heard %s" % heard)
            elif heard[1][1] - heard[0][1] < 1000:
                failures.append("1279 came %d ms after 1275" % (heard[1][1] - heard[0][1]))
            failures += switch_profile(skin_dir, main_items, origin, guard.path, service)
            failures += away_and_edge(skin_dir, main_items, desktop.find_window("Mouse Driver"), guard.path)
            origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
            desktop.click(*desktop.centre(main_items["5"], origin))  # Cancel: the program ends
            program.wait(timeout=20)
        finally:
            if probe:
                probe.stop()
            for running in (program, other):
                desktop.end_program(running, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_assign", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
