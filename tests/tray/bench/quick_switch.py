#!/usr/bin/env python3
"""Quick switching seen only through Glimmet's poll: under Wine no foreground event arrives, so
the companion polls the program in front. Two programs with rules of their own come to the front
in turn every 100 ms for 2 s, as a user clicking between them would, and the device service's
reloads are counted. The companion should switch once, to the program left in front, once the
settle time has passed after the last change. Prints each round and a summary.

Usage: quick_switch.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR [ROUNDS]"""
import os
import shutil
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import desktop  # noqa: E402

RELOAD_ALL = 1279
RULES = {"photoedit.exe": 2, "RaceGame.exe": 5}
CHANGES, PAUSE_MS = 20, 100  # 2 s of clicking between the two
AFTER_S = 1.5  # well past the settle time (300 ms) and a poll


def rules_text():
    lines = ["[ProgramProfiles]", "Enabled=1", "ShowNotice=0"]
    for n, (program, profile) in enumerate(RULES.items(), 1):
        lines += ["[Rule%d]" % n, "Program=" + program, "Profile=%d" % profile]
    return "\r\n".join(lines) + "\r\n"


def reloads(service):
    return [ms for message, ms in service.messages() if message == RELOAD_ALL]


def burst(test_bin, first, second, changes=CHANGES):
    """The two in turn, `first` first; the tick count of the last change. Every change must take:
    one that did not would make the burst look calmer than it was."""
    run = subprocess.run(["wine", os.path.join(test_bin, "FrontProbe.exe"), "--burst", first, second,
                          str(changes), str(PAUSE_MS)], env=desktop.wine_env(), capture_output=True)
    fields = run.stdout.decode("latin-1").split()
    if run.returncode != 0 or len(fields) != 3 or int(fields[2]) != changes:
        raise AssertionError("the burst did not run, or not every change took: %r" % run.stdout)
    return int(fields[0])


def main(program_dir, skin_dir, tools_bin, test_bin, rounds="10"):
    folder = desktop.ProgramFolder(program_dir, skin_dir, programs=("Glimmet.exe",))
    for program in RULES:
        shutil.copy(os.path.join(test_bin, "FrontProbe.exe"), os.path.join(folder.path, program))
    results = []
    with desktop.ProfileGuard() as guard, desktop.FileGuard(desktop.rules_file()) as rules:
        os.makedirs(os.path.dirname(rules.path), exist_ok=True)
        with open(rules.path, "w", newline="") as out:
            out.write(rules_text())
        desktop.write_profile(guard.path, 0, {})
        service = desktop.StandIn(tools_bin, guard.path)
        probes = [desktop.start_program(folder.path, program, program) for program in RULES]
        companion = desktop.start_program(folder.path, "Glimmet.exe")
        try:
            for program in RULES:
                desktop.find_window(program)
            names = list(RULES)
            burst(test_bin, names[1], names[0], changes=1)  # every round then changes the profile
            time.sleep(AFTER_S)
            start = service.start_tick()
            for r in range(int(rounds)):
                first, second = names[1 - r % 2], names[r % 2]  # `second` is left in front
                before = len(reloads(service))
                last_change = burst(test_bin, first, second)
                time.sleep(AFTER_S)
                heard = reloads(service)[before:]
                results.append((second, [start + ms - last_change for ms in heard]))
        finally:
            for program in [companion] + probes:
                desktop.end_program(program, timeout=0)
            service.stop()
            folder.remove()

    print("Quick switching through the poll: %d changes %d ms apart, then %.1f s still; %d rounds"
          % (CHANGES, PAUSE_MS, AFTER_S, len(results)))
    for n, (program, after) in enumerate(results, 1):
        print("  round %2d  left in front %-14s switches %d  after the last change: %s ms"
              % (n, program, len(after), ", ".join("%+d" % ms for ms in after) or "-"))
    single = sum(1 for _, after in results if len(after) == 1)
    delays = [after[0] for _, after in results if len(after) == 1]
    print("rounds with exactly one switch: %d of %d (goal: all)" % (single, len(results)))
    if delays:
        print("that switch after the last change: median %d ms, %d to %d (settle time 300 ms)"
              % (statistics.median(delays), min(delays), max(delays)))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))
