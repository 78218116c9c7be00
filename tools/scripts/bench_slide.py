#!/usr/bin/env python3
"""Slide benchmark: how long the key panel takes to slide open and shut under Wine, how many
frames it draws and where it ends, measured from outside through the X server. The slides are
started with xdotool clicks; the panel's X window reports every new place and size it is given
(ConfigureNotify), which is one frame of the slide.

Usage: bench_slide.py PROGRAM_DIR SKIN_DIR [ROUNDS]   (run by tools/scripts/bench-slide.sh)"""
import os
import statistics
import subprocess
import sys
import time

from Xlib import X, display

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "support"))
import desktop  # noqa: E402

# After the last frame the panel stays put for this long: the slide is over.
QUIET_S = 0.6


class Slide:
    """One slide: the clicks that start it (skin description and item, and where that window
    stands from the main window's corner) and what was measured."""

    def __init__(self, name, clicks):
        self.name, self.clicks = name, clicks
        self.durations, self.frames, self.ends = [], [], []


def slides():
    # The key panel is the side panel a user sees: a function of the key panel ("advance", item 5
    # of the function menu, chosen for mouse button 4) slides it open, its arrow shuts it.
    label = ("skin_main.ini", "9", (0, 0))
    return [
        Slide("key panel open", [label, ("skin_menu.ini", "5", ("below", "9"))]),
        Slide("key panel shut", [("skin_key_expand.ini", "1", ("right", 11))]),
    ]


def click_point(skins, main_at, main_size, click):
    ini, item, origin = click
    rect = desktop.skin_items(skins, ini)[item]
    if origin[0] == "below":  # a menu opens under the label it belongs to
        label = desktop.skin_items(skins, "skin_main.ini")[origin[1]]
        at = (main_at[0] + label[0], main_at[1] + label[3])
    elif origin[0] == "right":  # a panel hanging at the main window's right edge
        at = (main_at[0] + main_size[0], main_at[1] + origin[1])
    else:
        at = (main_at[0] + origin[0], main_at[1] + origin[1])
    return desktop.centre(rect, at)


def frames_after(conn, main_window, started):
    """The ConfigureNotify events of windows other than the main window until the quiet time,
    as (seconds after `started`, window, x, y, width, height)."""
    seen = []
    last = time.monotonic()
    while time.monotonic() - last < QUIET_S:
        while conn.pending_events():
            event = conn.next_event()
            if event.type != X.ConfigureNotify or event.window.id == main_window:
                continue
            now = time.monotonic()
            seen.append((now - started, event.window.id, event.x, event.y, event.width, event.height))
            last = now
        time.sleep(0.001)
    return seen


def within_slide(frames):
    """The frames up to the one where the width stops moving one way: a panel slid shut is laid
    out at its full width again once it is hidden, which is not part of the slide."""
    widths = [f[4] for f in frames]
    direction = next((1 if b > a else -1 for a, b in zip(widths, widths[1:]) if a != b), 0)
    for i in range(1, len(widths)):
        if (widths[i] - widths[i - 1]) * direction < 0:
            return frames[:i]
    return frames


def measure(conn, main_window, main_at, main_size, skins, slide):
    *before, last = slide.clicks
    for click in before:
        desktop.click(*click_point(skins, main_at, main_size, click), pause=0.8)
    desktop.run("xdotool", "mousemove", "--sync", *map(str, click_point(skins, main_at, main_size, last)))
    time.sleep(0.3)
    conn.sync()
    while conn.pending_events():
        conn.next_event()
    # Events are read while xdotool runs: waiting for it would let the first frames pile up.
    started = time.monotonic()
    clicking = subprocess.Popen(["xdotool", "click", "1"])
    seen = frames_after(conn, main_window, started)
    clicking.wait()
    if not seen:
        return
    # The sliding panel is the window given the most places.
    windows = [s[1] for s in seen]
    panel = max(set(windows), key=windows.count)
    own = within_slide([s for s in seen if s[1] == panel])
    if os.environ.get("PW_SLIDE_TRACE"):
        print(slide.name, [("%.0f" % (1000 * s[0]), s[2], s[4]) for s in own])
    slide.durations.append(1000 * (own[-1][0] - own[0][0]))
    slide.frames.append(len(own))
    _, _, px, py, pw, ph = own[-1]
    slide.ends.append((px - main_at[0], py - main_at[1], pw, ph))


def main(program_dir, skins, rounds):
    folder = desktop.ProgramFolder(program_dir, skins)
    conn = display.Display()
    root = conn.screen().root
    root.change_attributes(event_mask=X.SubstructureNotifyMask)
    with desktop.ProfileGuard():
        program = desktop.start_program(folder.path)
        try:
            main_window = int(desktop.find_window("Mouse Driver"), 0)
            time.sleep(2)  # the panels are made after the first paint
            mx, my, mw, mh = desktop.window_geometry(str(main_window))
            table = slides()
            for _ in range(rounds):
                for slide in table:
                    measure(conn, main_window, (mx, my), (mw, mh), skins, slide)
        finally:
            program.kill()
    print("%-18s %10s %8s   %s   (%d rounds; from the first frame to the last)" %
          ("slide", "median ms", "frames", "end, from the main window's corner", rounds))
    for slide in table:
        if not slide.durations:
            print("%-18s no frames seen" % slide.name)
            continue
        ends = sorted(set(slide.ends))
        print("%-18s %10.0f %8.0f   %s" % (slide.name, statistics.median(slide.durations),
                                           statistics.median(slide.frames),
                                           " ".join("%+d%+d %dx%d" % e for e in ends)))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 5)
