#!/usr/bin/env python3
"""A save that cannot be written, with real clicks and keys on the test display.
For each fault: the user picks another profile and presses Apply; the write-failed box comes up
naming the profile file and the reason, the old file is untouched, the service hears nothing and
the footer's status line no longer says the settings were saved;
the user closes the box (a click on OK, or Enter), the fault goes away, and the next Apply saves.
1. A full disk: the profile folder becomes a small file system of its own, filled up (this
   needs the right to mount one, which the test command has as root; without it the row says
   so and is left out).
2. A file where the profile folder should be.

Usage: journey_save_failed.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402
from journey_assign import status_line  # noqa: E402
from journey_keyboard import FocusProbe  # noqa: E402

RELOAD_ALL = 1279
PROFILE_BUTTON = 21  # profile 1; profile n is 20 + n


def stored_profile(path):
    for line in open(path, "rb").read().decode("latin-1").splitlines():
        if line.lower().startswith("profile="):
            return int(line.split("=", 1)[1])
    return None


def heard_reloads(service):
    return [m for m, _ in service.messages() if m == RELOAD_ALL]


def wait_for(condition, timeout=15.0):
    end = time.time() + timeout
    while not condition() and time.time() < end:
        time.sleep(0.2)
    return condition()


class FullDisk:
    """The profile folder as a small file system that is full. mount() is False where mounting
    is not allowed."""

    def __init__(self, folder):
        self.folder = folder
        self.filler = os.path.join(folder, "filler.bin")

    def files(self):
        return {n: open(os.path.join(self.folder, n), "rb").read() for n in os.listdir(self.folder)}

    def put(self, files):
        for name, data in files.items():
            with open(os.path.join(self.folder, name), "wb") as f:
                f.write(data)

    def mount(self):
        files = self.files()
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", self.folder],
                          capture_output=True).returncode != 0:
            return False
        self.put(files)
        try:
            with open(self.filler, "wb") as f:
                while True:
                    f.write(bytes(4096))
                    f.flush()
        except OSError:
            pass
        return True

    def free(self):
        os.remove(self.filler)

    def unmount(self):
        files = self.files()
        subprocess.run(["umount", self.folder], check=True)
        self.put(files)


class FileForFolder:
    """A file stands where the profile folder should be."""

    def __init__(self, folder):
        self.folder = folder
        self.moved = folder + ".moved"

    def mount(self):
        os.rename(self.folder, self.moved)
        open(self.folder, "w").write("not a folder")
        return True

    def free(self):
        os.remove(self.folder)
        os.rename(self.moved, self.folder)

    def unmount(self):
        pass


def one_fault(name, fault, reason, close, skin_dir, main_items, origin, path, service, profile, probe):
    before = open(path, "rb").read()
    if not fault.mount():
        print("%s: left out, this machine does not let the test mount a file system" % name)
        return []
    failures = []
    heard = len(heard_reloads(service))
    desktop.click(*desktop.centre(main_items[str(PROFILE_BUTTON + profile)], origin))
    desktop.click(*desktop.centre(main_items["4"], origin), pause=1.0)  # Apply
    boxes = desktop.window_ids("^Not saved")
    if not boxes:
        fault.free()
        fault.unmount()
        return ["%s: no write-failed box" % name]
    title = desktop.run("xdotool", "getwindowname", boxes[0])
    if reason not in title or "RerirUv.ini" not in title:
        failures.append("%s: the box says %r" % (name, title))
    if close == "click":
        ok = desktop.skin_items(skin_dir, "skin_write_failed.ini")["3"]
        desktop.click(*desktop.centre(ok, desktop.window_origin(boxes[0])))
    else:
        desktop.keys(close)
    if desktop.window_ids("^Not saved"):
        failures.append("%s: the box did not close on %s" % (name, close))
    if status_line(probe) != [""]:
        failures.append("%s: the status line says %s" % (name, status_line(probe)))
    fault.free()
    if open(path, "rb").read() != before:  # a full disk or a folder put back as it was
        failures.append("%s: the old profile file was changed" % name)
    if len(heard_reloads(service)) != heard:
        failures.append("%s: the service was told to reload" % name)
    desktop.click(*desktop.centre(main_items["4"], origin))  # Apply again, the fault gone
    if not wait_for(lambda: len(heard_reloads(service)) > heard) or stored_profile(path) != profile:
        failures.append("%s: the next Apply did not save profile %d (file has %s)"
                        % (name, profile, stored_profile(path)))
    fault.unmount()
    return failures


def main(program_dir, skin_dir, tools_bin, test_bin):
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    folder = desktop.ProgramFolder(program_dir, skin_dir)
    failures = []
    with desktop.ProfileGuard() as guard:
        profile_folder = os.path.dirname(guard.path)
        service = desktop.StandIn(tools_bin, guard.path)
        program = desktop.start_program(folder.path)
        probe = None
        try:
            origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
            time.sleep(1.0)
            probe = FocusProbe(test_bin)
            desktop.click(*desktop.centre(main_items[str(PROFILE_BUTTON + 1)], origin))
            desktop.click(*desktop.centre(main_items["4"], origin))  # a first save that works
            if not wait_for(lambda: os.path.exists(guard.path) and stored_profile(guard.path) == 1):
                failures.append("the first save did not write the profile file")
            failures += one_fault("a full disk", FullDisk(profile_folder), "The disk is full.", "click",
                                  skin_dir, main_items, origin, guard.path, service, 3, probe)
            failures += one_fault("a file for the folder", FileForFolder(profile_folder),
                                  "The folder does not exist", "Return", skin_dir, main_items, origin,
                                  guard.path, service, 4, probe)
            desktop.click(*desktop.centre(main_items["5"], origin))  # Cancel: the program ends
            program.wait(timeout=20)
        finally:
            if probe:
                probe.stop()
            desktop.end_program(program, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_save_failed", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
