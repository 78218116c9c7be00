#!/usr/bin/env python3
"""Saves cut off at random moments: the real program is killed while it saves, again and again.
Each round starts Pointwick, clicks another profile, presses Apply and kills the program 0 to
60 ms after the click (the first round only makes the file to start from). A save takes about
2 ms; so that kills land inside it, the file also holds 4 MB of keys of another program, which
each save must keep (and so write), and every value of ours is first put into another form that
the save writes anew. The profile file must then be whole (every key there,
every record with its checksum) and be either the file before the round or the file the save
meant to write, byte for byte.

Usage: fault_kill_saves.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR [ROUNDS]"""
import os
import random
import re
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

PROFILE_BUTTON = 21  # profile 1; profile n is 20 + n
SETTING_KEYS = ["Profile", "TrayEnabled", "Buttons", "UniversalScrollEnabled", "AccelerationEnabled",
                "AutoSaveEnable", "ActiveFlyEnable", "OFASensitivityEnabled", "OFASensitivityViewable",
                "XYSensitivityEnabled", "OFASensitivity", "SpeedX", "SpeedY", "LedState"]


def problems(data):
    """What keeps the file from being a whole profile file: a missing key, a record that fails
    its checksum."""
    text = data.decode("latin-1")
    found = [key for key in SETTING_KEYS if not re.search(r"(?m)^%s=\d+\r?$" % key, text)]
    records = re.findall(r"(?m)^ButtonAssigned\d=([0-9A-Fa-f]{90})\r?$", text)
    whole = sum(1 for digits in records if sum(bytes.fromhex(digits[:88])) % 256 == int(digits[88:], 16))
    if whole != 45:
        found.append("%d whole records of 45" % whole)
    return found


def in_other_forms(data):
    """The same settings written as a person or another tool might: the records' digits in lower
    case, the numbers with a leading zero. The reader takes them; a save writes every one of
    them anew, in its own form."""
    data = re.sub(rb"(?m)^(ButtonAssigned\d=)([0-9A-F]{90})", lambda m: m.group(1) + m.group(2).lower(), data)
    keys = "|".join(SETTING_KEYS).encode()
    return re.sub(rb"(?m)^(%s)=([1-9]\d*)" % keys, rb"\1=0\2", data)


def with_profile(data, profile):
    """The file as a save of nothing but this profile writes it: that one line changed."""
    return re.sub(rb"(?m)^Profile=\d+", b"Profile=%d" % profile, data, count=1)


def main(program_dir, skin_dir, tools_bin, rounds="55"):
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    outcomes = {"old": 0, "new": 0, "mid-write": 0}
    random.seed(20261209)
    with desktop.ProfileGuard() as guard:
        service = desktop.StandIn(tools_bin, guard.path)
        try:
            saved = None  # the file as the last save wrote it
            for n in range(int(rounds)):
                if saved is not None:
                    with open(guard.path, "wb") as f:
                        f.write(in_other_forms(saved))
                old = open(guard.path, "rb").read() if saved is not None else None
                current = int(re.search(rb"(?m)^Profile=(\d+)", saved).group(1)) if saved else 0
                profile = random.choice([p for p in range(5) if p != current])
                program = desktop.start_program(folder.path)
                try:
                    origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
                    time.sleep(0.5)
                    desktop.click(*desktop.centre(main_items[str(PROFILE_BUTTON + profile)], origin), pause=0.2)
                    desktop.click(*desktop.centre(main_items["4"], origin), pause=random.uniform(0, 0.06))
                    end = time.time() + 10
                    while old is None and not os.path.exists(guard.path) and time.time() < end:
                        time.sleep(0.1)  # the first round makes the file to start from
                finally:
                    program.kill()
                    program.wait(timeout=20)
                data = open(guard.path, "rb").read() if os.path.exists(guard.path) else None
                if old is None:  # the first round only makes the file to start from
                    if data is None or problems(data):
                        failures.append("round %d: the first save left %s" % (n, data and problems(data)))
                        break
                    saved = data + b"[Another program]\r\n" + b"Padding=%s\r\n" % (b"x" * 1000) * 4000
                    continue
                if os.path.exists(guard.path + ".new"):  # killed while writing the new file
                    outcomes["mid-write"] += 1
                    os.remove(guard.path + ".new")
                if data == old:
                    outcomes["old"] += 1
                elif data == with_profile(saved, profile):
                    outcomes["new"] += 1
                    saved = data
                else:
                    failures.append("round %d: neither the old nor the new file: %s"
                                    % (n, problems(data) or "whole, but partly old and partly new"))
                    saved = None if problems(data) else data
                    if saved is None:
                        break
        finally:
            service.stop()
            folder.remove()
    kills = outcomes["old"] + outcomes["new"]
    print("%d kills during saves: %d left the old file (%d of them cut the new one mid-write), "
          "%d the new one, %d anything else"
          % (kills, outcomes["old"], outcomes["mid-write"], outcomes["new"], len(failures)))
    if kills < 50:
        failures.append("only %d kills" % kills)
    return desktop.report("fault_kill_saves", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
