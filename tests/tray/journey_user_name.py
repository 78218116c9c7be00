#!/usr/bin/env python3
"""A Windows user whose name holds characters outside the code page ("\u0141ukasz\u65e5\u672c").
In a prefix of its own, made for that user:
1. user_name_check.exe: the save with its ".conf" copy, an export and an import, the automatic
   profile switch and the rules file, through the programs' own code.
2. The real programs, installed in a folder under that user's folder: the skin installer
   unpacks the skin package there, and with real clicks the configuration program shows its
   skinned window and profile 3 then Apply writes the user's profile file.

Usage: journey_user_name.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import os
import shutil
import subprocess
import sys
import time

USER = "\u0141ukasz\u65e5\u672c"
os.environ["WINEPREFIX"] = os.environ.get("WINEPREFIX", os.path.expanduser("~/.wine")).rstrip("/") + "-user"
os.environ["USER"] = os.environ["LOGNAME"] = USER  # Wine takes the Windows user name from these
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

PROFILE_BUTTON = 21  # profile 1; profile n is 20 + n


def real_program(program_dir, skin_dir, tools_bin, user_folder):
    failures = []
    programs = os.path.join(user_folder, "Programy \u017c\u00f3\u0142te")
    shutil.rmtree(programs, ignore_errors=True)
    os.makedirs(programs)
    for name in ("Pointwick.exe", "Unfurlex.exe", "lan.dll", "skins.zip"):
        shutil.copy(os.path.join(program_dir, name), programs)
    installer = desktop.start_program(programs, "Unfurlex.exe")
    desktop.end_program(installer, timeout=60)  # it closes by itself unless a box waits
    if not os.path.exists(os.path.join(programs, "skins", "skin_main.ini")):
        return ["the skin installer did not unpack the skins into %s" % programs]
    main_items = desktop.skin_items(skin_dir, "skin_main.ini")
    with desktop.ProfileGuard() as guard:
        if USER not in guard.path:
            return ["the profile file is not in the user's folder: %s" % guard.path]
        service = desktop.StandIn(tools_bin, guard.path)
        program = desktop.start_program(programs)
        try:
            origin = desktop.window_origin(desktop.find_window("Mouse Driver"))
            time.sleep(1.0)
            desktop.click(*desktop.centre(main_items[str(PROFILE_BUTTON + 2)], origin))
            desktop.click(*desktop.centre(main_items["4"], origin))  # Apply
            end = time.time() + 15
            while not os.path.exists(guard.path) and time.time() < end:
                time.sleep(0.2)
            text = open(guard.path, "rb").read() if os.path.exists(guard.path) else b""
            if b"Profile=2" not in text:
                failures.append("the real program's Apply did not write profile 3 there")
            desktop.click(*desktop.centre(main_items["5"], origin))  # Cancel: the program ends
            program.wait(timeout=20)
        finally:
            desktop.end_program(program, timeout=0)
            service.stop()
    shutil.rmtree(programs, ignore_errors=True)
    return failures


def main(program_dir, skin_dir, tools_bin, test_bin):
    prefix = os.environ["WINEPREFIX"]
    desktop.make_prefix(prefix)
    user_folder = os.path.join(prefix, "drive_c", "users", USER)
    failures = []
    if not os.path.isdir(user_folder):
        failures.append("wineboot made no folder for the user %s" % USER)
    else:
        check = subprocess.run(["wine", os.path.join(test_bin, "user_name_check.exe")], env=desktop.wine_env(),
                               capture_output=True, text=True, errors="replace")
        if check.returncode != 0:
            print(check.stdout[-3000:])
            failures.append("user_name_check failed")
        failures += real_program(program_dir, skin_dir, tools_bin, user_folder)
    subprocess.run(["wineserver", "-k"], env=desktop.wine_env(), capture_output=True)
    return desktop.report("journey_user_name", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
