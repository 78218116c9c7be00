#!/usr/bin/env python3
"""The keyboard alone, and what a screen reader hears, on the real program with real keys.
FocusProbe.exe reads the focus (GetGUIThreadInfo of the program's thread) and each control's
name and role (AccessibleObjectFromWindow) from outside, as a screen reader does.
1. Tab goes round every visible, enabled control of the main window in reading order, Shift+Tab
   goes back; each one is named by its skin item's tooltip and is a push button or a check box.
2. Space on mouse button 4's label opens its menu; Tab goes round the menu; Esc closes it and
   nothing changes. Space again and Space on "Windows button4" chooses it; Space on Apply saves
   code 10 for button 4.
3. Space on "Key / Macro" in mouse button 5's menu opens the key panel, which has the focus: a
   key typed at once is recorded. Tab goes round the panel.
4. Space on "Configuration" opens the configuration dialog; Tab goes round it.

Usage: journey_keyboard.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

TITLE = "Mouse Driver"
PUSH_BUTTON, CHECK_BOX, STATIC_TEXT = 43, 44, 41
# Skin buttons, and the key panel's display of the recorded keys, which Tab reaches too.
FOCUSABLE = {"PwSkinButton": (PUSH_BUTTON, CHECK_BOX), "PwMacroDisplay": (STATIC_TEXT,)}


def skin_entries(skins, ini, section="BUTTONPOS"):
    """{key: (rect, expected name)}: the name a screen reader should hear is the tooltip (the
    field before the last comma), else the label."""
    entries = {}
    for key, (rect, fields) in desktop.skin_fields(skins, ini, section).items():
        tooltip = fields[-2] if len(fields) > 2 else ""
        entries[key] = (rect, tooltip or fields[0])
    return entries


class FocusProbe:
    def __init__(self, test_bin):
        self.process = subprocess.Popen(["wine", os.path.join(test_bin, "FocusProbe.exe"), TITLE],
                                        env=desktop.wine_env(), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                        stderr=subprocess.DEVNULL, text=True, encoding="utf-8")

    def ask(self, request):
        self.process.stdin.write(request + "\n")
        self.process.stdin.flush()
        return self.process.stdout.readline().rstrip("\n")

    def focus(self):
        """(window, top-level window, main window, role, name, rect in the top-level window)."""
        window, root, main, role, name, rect = self.ask("focus").split("\t")
        return window, root, main, role, name, tuple(int(v) for v in rect.split())

    def children(self):
        """(window, class, visible, enabled, role, name, text) of the focus's top-level window."""
        line = self.ask("list")
        return [tuple(part.split("\t")) for part in line.split("|")] if line else []

    def stop(self):
        self.process.stdin.close()
        self.process.wait(timeout=20)


def tab_round(what, probe, entries):
    """Tab once more than there are controls: every one is reached once, in reading order, then
    the first again; each has its skin item's name and a button's role."""
    buttons = [c for c in probe.children() if c[1] in FOCUSABLE and c[2] == "1" and c[3] == "1"]
    roles = {c[0]: FOCUSABLE[c[1]] for c in buttons}
    seen = []
    for _ in range(len(buttons) + 1):
        desktop.keys("Tab", pause=0.25)
        seen.append(probe.focus())
    failures = []
    by_rect = {rect: name for rect, name in entries.values()}
    for window, _, _, role, name, rect in seen:
        if not name:
            failures.append("%s: control %s at %s has no name" % (what, window, rect))
        elif by_rect.get(rect) != name:
            failures.append("%s: control at %s is named %r, its skin item %r" % (what, rect, name, by_rect.get(rect)))
        if role not in [str(r) for r in roles.get(window, ())]:
            failures.append("%s: %r has role %s" % (what, name, role))
    reached = {s[0] for s in seen[:-1]}
    if reached != {b[0] for b in buttons} or len(reached) != len(buttons):
        failures.append("%s: Tab reached %s, not the %d controls %s" % (
            what, [s[4] for s in seen], len(buttons), [b[5] for b in buttons]))
    if seen and seen[-1][0] != seen[0][0]:
        failures.append("%s: Tab did not come round to %r" % (what, seen[0][4]))
    desktop.keys("shift+Tab", pause=0.25)
    if len(seen) > 1 and probe.focus()[0] != seen[-2][0]:
        failures.append("%s: Shift+Tab from %r went to %r, not back to %r" % (what, seen[-1][4], probe.focus()[4], seen[-2][4]))
    rects = [s[5] for s in seen[:-1]]
    start = rects.index(min(rects, key=lambda r: (r[1], r[0]))) if rects else 0
    turned = rects[start:] + rects[:start]
    if turned != sorted(turned, key=lambda r: (r[1], r[0])):
        failures.append("%s: Tab order %s is not reading order" % (what, [s[4] for s in seen]))
    return failures


def tab_to(probe, name, limit=40):
    """Tabs until the control called name has the focus."""
    for _ in range(limit):
        if probe.focus()[4] == name:
            return True
        desktop.keys("Tab", pause=0.2)
    return False


def on_top(probe):
    """Whether the focus is in a window other than the main window (a menu, a dialog, a panel)."""
    _, root, main, _, _, _ = probe.focus()
    return root != main


def menu_round(probe, main, menu):
    failures = []
    if not tab_to(probe, main["9"][1]):
        return ["Tab never reached %r" % main["9"][1]]
    desktop.keys("space", pause=1.0)
    if not on_top(probe):
        return ["Space on %r opened no menu" % main["9"][1]]
    failures += tab_round("menu", probe, menu)
    desktop.keys("Escape", pause=0.8)
    if on_top(probe):
        failures.append("Esc left the menu open")
    tab_to(probe, main["9"][1])
    desktop.keys("space", pause=1.0)
    if not tab_to(probe, menu["6"][1]):
        return failures + ["Tab never reached %r in the menu" % menu["6"][1]]
    desktop.keys("space", pause=0.8)
    if on_top(probe):
        failures.append("choosing %r left the menu open" % menu["6"][1])
    return failures


def key_panel_round(probe, main, menu, keys_panel):
    failures = []
    if not tab_to(probe, main["10"][1]):
        return ["Tab never reached %r" % main["10"][1]]
    desktop.keys("space", pause=1.0)
    if not tab_to(probe, menu["5"][1]):
        return ["Tab never reached %r in the menu" % menu["5"][1]]
    desktop.keys("space", pause=0.05)
    desktop.keys("q", pause=0.8)  # at once, while the panel slides open
    if not on_top(probe):
        failures.append("the key panel did not take the focus")
    texts = [c[6] for c in probe.children() if len(c) > 6 and c[6]]
    if not any("Q" in t.upper() for t in texts):
        failures.append("the key typed as the panel opened was not recorded: the panel shows %s" % texts)
    return failures + tab_round("key panel", probe, keys_panel)


def main(program_dir, skin_dir, tools_bin, test_bin):
    main_items = skin_entries(skin_dir, "skin_main.ini")
    main_items["1"] = (main_items["1"][0], "Mouse service running")  # the badge: the stand-in runs
    menu_items = skin_entries(skin_dir, "skin_menu.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    with desktop.ProfileGuard() as guard:
        service = desktop.StandIn(tools_bin, guard.path)
        program = desktop.start_program(folder.path)
        probe = None
        try:
            desktop.find_window(TITLE)
            time.sleep(2.0)  # the panels and pictures come in two ticks after the first paint
            probe = FocusProbe(test_bin)
            failures += tab_round("main window", probe, main_items)
            failures += menu_round(probe, main_items, menu_items)
            if not tab_to(probe, main_items["4"][1]):
                failures.append("Tab never reached %r" % main_items["4"][1])
            desktop.keys("space", pause=1.5)  # Apply
            if desktop.record(guard.path, 0, 4)[1] != 10:
                failures.append("button 4 holds code %d after Apply, not 10" % desktop.record(guard.path, 0, 4)[1])
            key_panel = dict(skin_entries(skin_dir, "skin_key_expand.ini"))
            key_panel["display"] = skin_entries(skin_dir, "skin_key_expand.ini", "MACRODISPLAY")["1"]
            failures += key_panel_round(probe, main_items, menu_items, key_panel)
            desktop.click(*desktop.centre(main_items["15"][0], desktop.window_origin(desktop.find_window(TITLE))))
            failures += ["the configuration dialog did not open"] if not on_top(probe) else []
            failures += tab_round("configuration dialog", probe, skin_entries(skin_dir, "skin_config_set.ini"))
            desktop.keys("Escape", pause=0.5)
        finally:
            if probe:
                probe.stop()
            desktop.end_program(program, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_keyboard", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
