#!/usr/bin/env python3
"""Start-up benchmark: Pointwick beside a bare dialog program, timed from outside the programs.

Each round starts both programs one after the other, the order turned round every round (round r:
Pointwick first when r is even, the bare dialog first when it is odd), after one warm-up round
that is not counted. A launcher under Wine (tests/app/bench/startup_launcher.cpp) starts them
with CreateProcess and says so on its stdout just before; this driver takes the start time when
that line arrives and watches the X display for the rest:

  painted     from the launch until the program's top-level X window, once mapped, has been
              drawn over (X Damage) on at least 90 % of its area. Wine draws a window by putting
              its whole surface: Pointwick's first paint arrives as one put (the rectangles of its
              shaped region), the bare dialog's as a put of the whole window followed 1 to 13 ms
              later by a second, identical one. Nothing is drawn at the map itself. The time is
              when the damage event arrives here. The X server stamps the event with the time it
              last read its clock, which it does not do on waking: after a pause the stamp is
              early by the length of the pause (tens of milliseconds in a trial with a client of
              our own). The arrival minus the stamp is printed as a check.
  six panels  (Pointwick) from the launch until the main window owns its six side panels, as
              the launcher polls them once the window is painted, on its own clock from the
              moment it wrote its launching line.
  memory      working set and its peak of the program 500 ms after the panels exist (Pointwick)
              or after it is painted (the bare dialog), by GetProcessMemoryInfo in the launcher.
  menu        (Pointwick, then settled) a click on a mouse button's label until its menu is
              painted, polled by the launcher.

Run it through tools/scripts/bench-startup.sh, which makes the private prefix, the Xvfb display
and the program's folder. Prints median and interquartile range of each figure, the ratio of the
two programs within each round, and the goals beside them.

Usage: bench_startup.py LAUNCHER_EXE PROGRAM_FOLDER BARE_DIALOG_EXE [--rounds N] [--scaled DPI] [--csv FILE]
       [--no-menu] [--trace]   (the last two as Windows paths; DISPLAY and the Wine prefix from the
       environment)
"""
import argparse
import collections
import csv
import os
import select
import statistics
import subprocess
import sys
import time

from Xlib import X, display, error
from Xlib.ext import damage

MAIN_TITLE = "Mouse Driver"
BARE_TITLE = "Bare Dialog"
COVERED = 0.9          # share of the window that a paint must have drawn over
SETTLE = 0.5           # seconds before the memory is read
TIMEOUT = 20.0         # seconds for any one step
PAUSE = 0.3            # seconds between two programs, for the last one's end to be over
GOALS = {"painted": 1.35, "panels": 1.8, "memory": 1.5}
SCALED_GOAL = 1.3      # Pointwick at 150 percent against itself at 100 percent
MORE = 0x80            # in a damage event's level: more rectangles of the same drawing follow


def now_ms():
    return time.monotonic() * 1000.0


class TopWindow:
    """What happened to one top-level X window since it was made."""

    def __init__(self, created):
        self.created = created
        self.mapped = None
        self.name = None
        self.size = None
        self.mask = None
        self.first_damage = None
        self.painted = None
        self.painted_stamp = None
        self.drawings = []  # (arrived, rectangles, covered share) of each drawing until painted
        self.rectangles = 0


class Screen:
    """The X display: every top-level window gets a damage object as soon as it is made, since a
    program's paint can follow its map within a millisecond; the map and every drawing after it
    are noted with the time they arrive."""

    def __init__(self):
        self.display = display.Display()
        if not self.display.has_extension("DAMAGE"):
            sys.exit("the X server has no DAMAGE extension")
        self.display.damage_query_version()
        self.display.set_error_handler(self._error)
        self.damage_event = self.display.extension_event.DamageNotify
        self.display.screen().root.change_attributes(event_mask=X.SubstructureNotifyMask)
        self.display.sync()
        self.windows = {}

    @staticmethod
    def _error(err, request):
        # Input-only windows take no damage object (BadMatch), and a window can be gone before
        # its damage object or its name is asked for.
        if not isinstance(err, (error.BadMatch, error.BadWindow, error.BadDrawable)):
            print(f"X error: {err}", file=sys.stderr)

    def fileno(self):
        return self.display.fileno()

    def handle(self, arrived):
        """Takes the events waiting; `arrived` is when the display's socket woke us up."""
        while self.display.pending_events():
            event = self.display.next_event()
            if event.type == X.CreateNotify:
                self.windows[event.window.id] = TopWindow(arrived)
                event.window.damage_create(damage.DamageReportRawRectangles)
            elif event.type == X.DestroyNotify:
                self.windows.pop(event.window.id, None)
            elif event.type == X.MapNotify:
                window = self.windows.get(event.window.id)
                if window and window.mapped is None:
                    window.mapped = arrived
                    try:
                        window.name = event.window.get_wm_name()
                    except error.XError:
                        window.name = None
                    # Events read while waiting for the reply arrived by now at the latest.
                    arrived = now_ms()
            elif event.type == self.damage_event:
                self._damage(event, arrived)

    def _damage(self, event, arrived):
        window = self.windows.get(event.drawable.id)
        if not window or window.mapped is None or window.painted is not None:
            return
        if window.first_damage is None:
            window.first_damage = arrived
        width, height = event.drawable_geometry.width, event.drawable_geometry.height
        if window.size != (width, height):
            window.size = (width, height)
            window.mask = bytearray(width * height)
        area = event.area
        left, right = max(area.x, 0), min(area.x + area.width, width)
        if right > left:
            row = b"\1" * (right - left)
            for y in range(max(area.y, 0), min(area.y + area.height, height)):
                window.mask[y * width + left:y * width + right] = row
        window.rectangles += 1
        if event.level & MORE:
            return
        covered = window.mask.count(1) / (width * height)
        window.drawings.append((arrived, window.rectangles, covered))
        window.rectangles = 0
        if covered >= COVERED:
            window.painted = arrived
            window.painted_stamp = unwrap_stamp(event.timestamp, arrived)

    def painted(self, title, since):
        """The window named `title` made after `since`, once it is painted, else None."""
        for window in self.windows.values():
            if window.created >= since and window.name == title and window.painted is not None:
                return window
        return None


def unwrap_stamp(stamp, near_ms):
    """An X server timestamp (milliseconds of CLOCK_MONOTONIC, 32 bits) as a full monotonic time
    in ms, the one nearest to `near_ms`."""
    behind = (int(near_ms) - stamp) & 0xFFFFFFFF
    if behind >= 1 << 31:
        behind -= 1 << 32
    return near_ms - behind


class Launcher:
    """The Wine launcher: commands in, one line each out, with the time each line arrived."""

    def __init__(self, exe, folder, bare):
        self.process = subprocess.Popen(["wine", exe, folder, bare], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, bufsize=0)
        os.set_blocking(self.process.stdout.fileno(), False)
        self.pending = b""
        self.lines = collections.deque()

    def fileno(self):
        return self.process.stdout.fileno()

    def send(self, command):
        self.process.stdin.write(command.encode() + b"\n")
        self.process.stdin.flush()

    def handle(self, arrived):
        data = os.read(self.fileno(), 4096)
        if not data:
            raise SystemExit("the launcher ended")
        self.pending += data
        *lines, self.pending = self.pending.split(b"\n")
        for line in lines:
            self.lines.append((arrived, line.decode(errors="replace").strip()))


class Bench:
    def __init__(self, launcher, screen, menu, trace, scaled_dpi=None):
        self.launcher = launcher
        self.screen = screen
        self.menu = menu
        self.trace = trace
        self.scaled_dpi = scaled_dpi
        self.dpi = None

    def pump(self, done, timeout=TIMEOUT):
        """Takes events and lines until done() gives something other than None or the time is up."""
        until = time.monotonic() + timeout
        while True:
            result = done()
            if result is not None:
                return result
            left = until - time.monotonic()
            if left <= 0:
                return None
            ready, _, _ = select.select([self.screen, self.launcher], [], [], left)
            arrived = now_ms()
            for source in ready:
                source.handle(arrived)
            self.screen.handle(arrived)  # events read while asking for a reply are queued

    def answer(self, word, timeout=TIMEOUT):
        """The next line of the launcher that starts with `word` (or "error"), with its time."""
        def line():
            while self.launcher.lines:
                arrived, text = self.launcher.lines.popleft()
                head, _, rest = text.partition(" ")
                if head == word:
                    return arrived, rest
                if head == "error":
                    print(f"launcher: {text}", file=sys.stderr)
                    return arrived, None
            return None
        found = self.pump(line, timeout)
        if found is None:
            raise SystemExit(f"the launcher did not answer '{word}' within {timeout:.0f} s")
        return found

    def wait(self, seconds):
        self.pump(lambda: None, seconds)

    def memory(self):
        self.launcher.send("memory")
        _, text = self.answer("memory")
        if text is None:
            return None, None
        working_set, peak = text.split()[:2]
        return int(working_set), int(peak)

    def set_dpi(self, dpi):
        """The prefix's display scale for the programs started from now on (read as each starts)."""
        if dpi == self.dpi:
            return
        subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t",
                        "REG_DWORD", "/d", str(dpi), "/f"], capture_output=True, check=True)
        self.dpi = dpi

    def run(self, which):
        """One start of one program: a dictionary of its figures (None where one failed)."""
        self.set_dpi(self.scaled_dpi if which == "scaled" else 96)
        if which == "scaled":
            return self.run("pointwick")
        title = MAIN_TITLE if which == "pointwick" else BARE_TITLE
        figures = {}
        self.launcher.send(f"launch {which}")
        launched, _ = self.answer("launching")
        _, pid = self.answer("launched")
        window = self.pump(lambda: self.screen.painted(title, launched)) if pid else None
        if window and self.trace:
            print(f"{which}: mapped at {window.mapped - launched:.1f} ms; drawings until painted: "
                  + ", ".join(f"{at - launched:.1f} ms {count} rect. {covered:.0%}"
                              for at, count, covered in window.drawings), file=sys.stderr)
        if window:
            figures["painted"] = window.painted - launched
            figures["stamp_lag"] = window.painted - window.painted_stamp
            figures["mapped"] = window.mapped - launched
            figures["first_damage"] = window.first_damage - launched
            settled = window.painted
            if which == "pointwick":
                self.launcher.send("panels")
                _, text = self.answer("panels", TIMEOUT + 5)
                panels = float(text) if text is not None else -1
                if panels >= 0:
                    figures["panels"] = panels
                    settled = launched + panels
            self.wait(max(0.0, (settled - now_ms()) / 1000.0 + SETTLE))
            figures["working_set"], figures["peak_working_set"] = self.memory()
            if which == "pointwick" and self.menu:
                self.launcher.send("menu")
                _, text = self.answer("menu")
                if text is not None and float(text) >= 0:
                    figures["menu"] = float(text)
        else:
            print(f"{which}: no paint of '{title}' seen", file=sys.stderr)
        self.launcher.send("close")
        self.answer("closed")
        self.wait(PAUSE)
        return figures

    def round(self, number):
        programs = ["pointwick", "bare"] + (["scaled"] if self.scaled_dpi else [])
        shift = number % len(programs)
        order = programs[shift:] + programs[:shift]
        return {which: self.run(which) for which in order}


def quartiles(values):
    values = sorted(values)
    if len(values) == 1:
        return values[0], values[0], values[0]
    return tuple(statistics.quantiles(values, n=4, method="inclusive"))


def row(label, values, unit="ms", goal=None, scale=1.0, digits=1):
    if not values:
        print(f"  {label:<34} no figures")
        return
    low, median, high = (v / scale for v in quartiles(values))
    text = f"  {label:<34} {median:8.{digits}f} {unit:<4} IQR {low:8.{digits}f} - {high:8.{digits}f}"
    text += f"   ({len(values)})"
    if goal is not None:
        text += f"   goal: at most {goal}"
    print(text)


def report_scaled(rounds, dpi):
    """Pointwick at another display scale against itself at 100 percent, within each round."""
    print(f"Pointwick at {dpi} DPI against 96 DPI, within a round")
    for figure in ("painted", "panels"):
        ours = [r["scaled"][figure] for r in rounds if r["scaled"].get(figure) is not None]
        ratios = [r["scaled"][figure] / r["pointwick"][figure] for r in rounds
                  if r["scaled"].get(figure) is not None and r["pointwick"].get(figure)]
        row(f"{figure} at {dpi} DPI", ours)
        row(f"{figure}: ratio to 96 DPI", ratios, unit="", goal=SCALED_GOAL, digits=2)


def report(rounds, menu, load):
    def both(figure, bare_figure=None):
        """Pointwick's and the bare dialog's figures, and the ratio within each round."""
        bare_figure = bare_figure or figure
        ours = [r["pointwick"][figure] for r in rounds if r["pointwick"].get(figure) is not None]
        bare = [r["bare"][bare_figure] for r in rounds if r["bare"].get(bare_figure) is not None]
        ratios = [r["pointwick"][figure] / r["bare"][bare_figure] for r in rounds
                  if r["pointwick"].get(figure) is not None and r["bare"].get(bare_figure)]
        return ours, bare, ratios

    print(f"Start-up, {len(rounds)} rounds (order turned each round), medians and interquartile ranges")
    # Other work on the machine shows in every figure; the ratios within a round suffer least.
    print(f"{os.cpu_count()} cores, load average {load[0]:.2f} at the start, "
          f"{os.getloadavg()[0]:.2f} at the end")
    ours, bare, ratios = both("painted")
    print("Painted (launch to the first paint of the main window, from the X server)")
    row("Pointwick", ours)
    row("bare dialog", bare)
    row("ratio within a round", ratios, unit="", goal=GOALS["painted"], digits=2)
    ours, _, ratios = both("panels", "painted")
    print("Six panels (launch until all six side panels exist)")
    row("Pointwick", ours)
    row("ratio to the bare dialog's paint", ratios, unit="", goal=GOALS["panels"], digits=2)
    mib = 1024.0 * 1024.0
    ours, bare, _ = both("working_set")
    print(f"Memory ({SETTLE * 1000:.0f} ms after the panels exist, or after the bare dialog is painted)")
    row("Pointwick working set", ours, unit="MiB", scale=mib)
    row("bare dialog working set", bare, unit="MiB", scale=mib)
    peak_ours, peak_bare, _ = both("peak_working_set")
    row("Pointwick peak working set", peak_ours, unit="MiB", scale=mib)
    row("bare dialog peak working set", peak_bare, unit="MiB", scale=mib)
    if ours and bare:
        ratio = statistics.median(ours) / statistics.median(bare)
        print(f"  {'ratio of the working-set medians':<34} {ratio:8.2f}"
              f"{'':>35}goal: at most {GOALS['memory']}")
    if menu:
        ours, _, _ = both("menu")
        print("Label click to its menu painted (Pointwick, settled)")
        row("Pointwick", ours)
    lags = [r[which]["stamp_lag"] for r in rounds for which in r if "stamp_lag" in r[which]]
    if lags:
        print(f"Check: the paint's damage event arrived {statistics.median(lags):.1f} ms (median), "
              f"{max(lags):.1f} ms (most) after the X server's timestamp of it")


def write_csv(path, rounds):
    fields = ["painted", "mapped", "first_damage", "stamp_lag", "panels", "working_set",
              "peak_working_set", "menu"]
    with open(path, "w", newline="") as out:
        writer = csv.writer(out)
        writer.writerow(["round", "first", "program"] + fields)
        for number, figures in enumerate(rounds):
            first = next(iter(figures))
            for which, values in figures.items():
                writer.writerow([number, first, which] + [values.get(field, "") for field in fields])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("launcher", help="startup_launcher.exe (a Linux path)")
    parser.add_argument("folder", help="the program's folder (a Windows path)")
    parser.add_argument("bare", help="bare_dialog.exe (a Windows path)")
    parser.add_argument("--rounds", type=int, default=30, help="rounds counted (default 30)")
    parser.add_argument("--csv", help="also write every round's figures to this file")
    parser.add_argument("--no-menu", action="store_true", help="leave out the label click")
    parser.add_argument("--scaled", type=int, metavar="DPI",
                        help="also start Pointwick at this display scale in each round (144: 150 percent)")
    parser.add_argument("--trace", action="store_true",
                        help="list every drawing of each program's window until it is painted")
    args = parser.parse_args()

    load = os.getloadavg()
    screen = Screen()
    launcher = Launcher(args.launcher, args.folder, args.bare)
    bench = Bench(launcher, screen, not args.no_menu, args.trace, args.scaled)
    try:
        bench.round(0)  # warms the server and the file cache; not counted
        rounds = []
        for number in range(args.rounds):
            rounds.append(bench.round(number))
            if sys.stderr.isatty():
                print(f"\rround {number + 1}/{args.rounds}", end="", file=sys.stderr, flush=True)
        if sys.stderr.isatty():
            print(file=sys.stderr)
    finally:
        try:
            launcher.send("quit")
            launcher.process.wait(timeout=30)
        except (OSError, subprocess.TimeoutExpired):
            launcher.process.kill()
    report(rounds, not args.no_menu, load)
    if args.scaled:
        report_scaled(rounds, args.scaled)
    if args.csv:
        write_csv(args.csv, rounds)


if __name__ == "__main__":
    main()
