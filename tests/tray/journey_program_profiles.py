#!/usr/bin/env python3
"""Profiles from the tray, with real input on the test display. "Profile 3" from the tray menu is
stored, the service hears 1279 and a balloon says so. Then a user's first automatic profile: a
right click on the tray icon, "Program profiles..." from its menu, "Browse..." and a program file
typed into the Open dialog, profile 3 for it, the switch on, OK. The rules file holds the rule;
a click on the program's window then switches "Profile" of the profile file to profile 3, the
service hears 1279, and a balloon names the program.

Usage: journey_program_profiles.py PROGRAM_DIR SKIN_DIR TOOLS_BIN_DIR TEST_BIN_DIR"""
import configparser
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
import desktop  # noqa: E402

RELOAD_ALL = 1279
PROGRAM = "photoedit.exe"


def read_ini(path):
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(path, encoding="latin-1")
    return parser


def wait_until(condition, timeout=15.0):
    end = time.time() + timeout
    while not condition() and time.time() < end:
        time.sleep(0.2)
    return condition()


def balloon_shown(test_bin, text):
    """Whether the shell shows a balloon of this text; then waits until it has gone (10 s or more)
    so that it covers no icon or menu."""
    def texts():
        run = subprocess.run(["wine", os.path.join(test_bin, "BalloonText.exe")], env=desktop.wine_env(),
                             capture_output=True)
        return run.stdout.decode("utf-8", "replace").splitlines()
    return [wait_until(lambda: text in texts(), 20), wait_until(lambda: not texts(), 40)][0]


def profile_row(menu, profile):  # 9 rows, the profiles after the first separator
    return desktop.menu_item_centre(menu, 1 + profile, items=9, separators=2, before=1)


def choose_profile_from_menu(guard, service, test_bin, failures):
    x, y = desktop.tray_icon()
    desktop.click(*profile_row(desktop.open_popup_menu(x, y), 3), pause=1.0)
    if not wait_until(lambda: read_ini(guard.path).get("Setting", "Profile", fallback="") == "2"):
        failures.append("the menu's profile 3 did not store Profile=2")
    if not wait_until(lambda: [m for m, _ in service.messages()] == [RELOAD_ALL], 5) \
            or not balloon_shown(test_bin, "Profile 3"):
        failures.append("the service heard %s; no balloon said Profile 3?" % service.messages())


def add_rule_with_real_input(skin_dir, program_path):
    items = desktop.skin_items(skin_dir, "skin_program_profiles.ini")
    x, y = desktop.tray_icon()
    menu = desktop.open_popup_menu(x, y)
    desktop.click(*desktop.menu_item_centre(menu, 1, items=9, separators=2), pause=1.0)
    origin = desktop.window_origin(desktop.find_window("Program profiles", timeout=15))
    desktop.click(*desktop.centre(items["7"], origin), pause=1.0)  # Browse...
    desktop.find_window("Open", timeout=15)
    time.sleep(1.0)
    desktop.run("xdotool", "type", "--delay", "40", desktop.winpath(program_path))
    desktop.keys("Return", pause=1.5)
    desktop.click(*desktop.centre(items["11"], origin))  # profile 3 for the new rule
    desktop.click(*desktop.centre(items["5"], origin))  # follow the program in front
    desktop.click(*desktop.centre(items["3"], origin), pause=1.0)  # OK


def main(program_dir, skin_dir, tools_bin, test_bin):
    failures = []
    folder = desktop.ProgramFolder(program_dir, skin_dir, programs=("Glimmet.exe",))
    shutil.copy(os.path.join(test_bin, "FrontProbe.exe"), os.path.join(folder.path, PROGRAM))
    with desktop.ProfileGuard() as guard, desktop.FileGuard(desktop.rules_file()) as rules:
        desktop.write_profile(guard.path, 0, {})
        service = desktop.StandIn(tools_bin, guard.path)
        probe = desktop.start_program(folder.path, PROGRAM, PROGRAM)
        companion = desktop.start_program(folder.path, "Glimmet.exe")
        try:
            probe_window = desktop.find_window(PROGRAM)
            choose_profile_from_menu(guard, service, test_bin, failures)
            desktop.write_profile(guard.path, 0, {})
            add_rule_with_real_input(skin_dir, os.path.join(folder.path, PROGRAM))
            if not wait_until(lambda: os.path.exists(rules.path), 10):
                failures.append("no rules file after OK")
            else:
                saved = read_ini(rules.path)
                rule = dict(saved["Rule1"]) if saved.has_section("Rule1") else {}
                if rule != {"Program": PROGRAM, "Profile": "3"}:
                    failures.append("the rules file holds %r" % rule)
                if saved.get("ProgramProfiles", "Enabled", fallback="") != "1":
                    failures.append("the feature is not switched on in the rules file")
            px, py = desktop.window_origin(probe_window)
            desktop.click(px + 100, py + 80)  # the program's window comes to the front
            switched = wait_until(lambda: read_ini(guard.path).get("Setting", "Profile", fallback="") == "2")
            if not switched:
                failures.append("Profile is %r, not 2" % read_ini(guard.path).get("Setting", "Profile", fallback=""))
            heard = [m for m, _ in service.messages() if m == RELOAD_ALL]
            if heard != [RELOAD_ALL] * 2:
                failures.append("the service heard %s" % heard)
            if not balloon_shown(test_bin, "Profile 3 \u2013 %s" % PROGRAM):
                failures.append("no balloon named %s" % PROGRAM)
        finally:
            for program in (companion, probe):
                desktop.end_program(program, timeout=0)
            service.stop()
            folder.remove()
    return desktop.report("journey_program_profiles", failures)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:5]))
