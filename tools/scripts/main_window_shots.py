#!/usr/bin/env python3
"""Screenshots of the main window as a user sees it, taken with real clicks on the display:
profile 1 with its factory labels, profile 3 with other functions, each menu of the mouse
buttons open under its label, and both warnings; the badge's light before the service runs, and
the footer's status line after Apply; the key panel at the screen's right edge.

Usage: main_window_shots.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR OUT_DIR"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import desktop  # noqa: E402

# Profile 3 (index 2) with functions that differ from the factory's.
PROFILE_3 = {(2, 1): 1, (2, 2): 4, (2, 3): 7, (2, 4): 97, (2, 5): 112, (2, 6): 49, (2, 7): 48,
             (2, 8): 66, (2, 9): 33}


def shoot(out, name, rect):
    full = os.path.join(out, ".screen.png")
    desktop.screenshot(full)
    desktop.crop(full, os.path.join(out, name), rect)
    os.remove(full)
    print(os.path.join(out, name))


def main(program_dir, skin_dir, tools_bin, out):
    os.makedirs(out, exist_ok=True)
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    with desktop.ProfileGuard() as guard:
        desktop.write_profile(guard.path, 2, PROFILE_3)
        service = None
        program = desktop.start_program(folder.path)
        try:
            x, y = desktop.window_origin(desktop.find_window("Mouse Driver"))
            time.sleep(1.5)
            window = (x, y, x + 680 + 20, y + 392)
            shoot(out, "main-no-service.png", window)
            service = desktop.StandIn(tools_bin, guard.path)
            time.sleep(2.5)  # the badge looks for the service every two seconds
            shoot(out, "main-profile3.png", window)
            # Profile 1, with the pointer resting on its button long enough for the tip to show
            # every time (its delay is half a second).
            desktop.click(*desktop.centre(main_items["21"], (x, y)), pause=1.2)
            shoot(out, "main-profile1.png", window)
            below = (x, y, x + 700, y + 520)
            for name, hotspot in (("menu-function.png", "9"), ("menu-scroll.png", "11")):
                desktop.click(*desktop.centre(main_items[hotspot], (x, y)), pause=0.8)
                shoot(out, name, below)
                desktop.keys("Escape")
            for name, hotspot, item in (("warning-click.png", "6", "2"), ("warning-profile.png", "9", "12")):
                rect = main_items[hotspot]
                desktop.click(*desktop.centre(rect, (x, y)), pause=0.8)
                menu = desktop.skin_items(skin_dir, "skin_menu.ini")
                desktop.click(*desktop.centre(menu[item], (x + rect[0], y + rect[3])), pause=0.8)
                shoot(out, name, (0, 0, 1024, 768))
                desktop.keys("Escape")
            # The reset question, answered with Cancel.
            desktop.click(*desktop.centre(main_items["26"], (x, y)), pause=0.8)
            reset_size = desktop.picture_size(skin_dir, "skin_reset_default.ini")
            reset = desktop.centred_over((x, y), (680, 392), reset_size)
            shoot(out, "reset-question.png", (reset[0], reset[1], reset[0] + reset_size[0], reset[1] + reset_size[1]))
            desktop.click(*desktop.centre(desktop.skin_items(skin_dir, "skin_reset_default.ini")["4"], reset))
            # The key panel's command menus: "advance" for button 4 opens the panel.
            rect = main_items["9"]
            desktop.click(*desktop.centre(rect, (x, y)), pause=0.8)
            menu = desktop.skin_items(skin_dir, "skin_menu.ini")
            desktop.click(*desktop.centre(menu["5"], (x + rect[0], y + rect[3])), pause=1.5)
            editor = (x + 680, y + 11)
            editor_items = desktop.skin_items(skin_dir, "skin_key_expand.ini")
            for name, button in (("menu-basic.png", "5"), ("menu-additional.png", "6"), ("menu-media.png", "7")):
                desktop.click(*desktop.centre(editor_items[button], editor), pause=0.8)
                shoot(out, name, (x, y, x + 1000, y + 600))
                desktop.keys("Escape")
            desktop.click(*desktop.centre(main_items["4"], (x, y)), pause=1.5)  # Apply, which shuts the panel
            shoot(out, "main-saved.png", window)
            # At the screen's right edge the key panel opens at the window's left edge.
            x, y = desktop.drag_to_right_edge(desktop.find_window("Mouse Driver"))[:2]
            rect = main_items["10"]
            desktop.click(*desktop.centre(rect, (x, y)), pause=0.8)
            desktop.click(*desktop.centre(menu["5"], (x + rect[0], y + rect[3])), pause=1.5)
            shoot(out, "key-panel-right-edge.png", (x - 260, y, 1280, y + 392))
            desktop.click(*desktop.centre(main_items["5"], (x, y)))  # Cancel
            program.wait(timeout=20)
        finally:
            if program.poll() is None:
                program.kill()
            if service:
                service.stop()
            folder.remove()
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
