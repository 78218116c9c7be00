"""Driving our programs under Wine as a user does: real clicks and keys through xdotool on the
test display, the skin descriptions for where to click, the profile file and the stand-in
service's log for what happened. Used by the journey tests and the screenshot scripts; the
display (DISPLAY) and the prefix (WINEPREFIX) come from the environment."""
import configparser
import glob
import os
import shutil
import subprocess
import tempfile
import time

WINE_ENV = dict(os.environ, WINEDEBUG="-all",
                WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d")


def run(*args, **kwargs):
    return subprocess.run(list(args), check=True, capture_output=True, text=True, **kwargs).stdout


def winpath(path):
    """The Windows name of a file of this machine: Wine shows the root folder as drive Z:."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def profile_file():
    """The user's profile file in the prefix ("RerirUv.ini" under the application-data folder)."""
    roots = glob.glob(os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", "*", "AppData", "Roaming"))
    roots = [r for r in roots if "/Public/" not in r] or roots
    return os.path.join(roots[0], "USB Optical Mouse", "Mouse", "RerirUv.ini")


class ProfileGuard:
    """Starts from the factory settings (no profile file) and puts the file back afterwards."""

    def __init__(self):
        self.path = profile_file()
        self.saved = open(self.path, "rb").read() if os.path.exists(self.path) else None

    def __enter__(self):
        if os.path.exists(self.path):
            os.remove(self.path)
        return self

    def __exit__(self, *exc):
        if self.saved is None:
            if os.path.exists(self.path):
                os.remove(self.path)
        else:
            with open(self.path, "wb") as f:
                f.write(self.saved)


def skin_items(skins, ini, section="BUTTONPOS"):
    """The rectangles (left, top, right, bottom) of a skin description's items, by key."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(os.path.join(skins, ini), encoding="latin-1")
    items = {}
    for key, value in parser.items(section):
        fields = value.split(",")
        x, y, w, h = (int(v) for v in fields[1:5])
        items[key] = (x, y, x + w, y + h)
    return items


def centre(rect, origin=(0, 0)):
    return origin[0] + (rect[0] + rect[2]) // 2, origin[1] + (rect[1] + rect[3]) // 2


def click(x, y, pause=0.4):
    run("xdotool", "mousemove", "--sync", str(x), str(y))
    time.sleep(0.15)
    run("xdotool", "click", "1")
    time.sleep(pause)


def keys(*names, pause=0.3):
    run("xdotool", "key", "--delay", "80", *names)
    time.sleep(pause)


def find_window(title, timeout=30.0):
    end = time.time() + timeout
    while time.time() < end:
        found = subprocess.run(["xdotool", "search", "--name", "^%s$" % title], capture_output=True, text=True)
        ids = found.stdout.split()
        if ids:
            return ids[0]
        time.sleep(0.25)
    raise AssertionError("no window titled %r" % title)


def window_origin(window_id):
    geometry = run("xdotool", "getwindowgeometry", "--shell", window_id)
    values = dict(line.split("=", 1) for line in geometry.split())
    return int(values["X"]), int(values["Y"])


def window_ids(title_pattern):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_pattern],
                           capture_output=True, text=True)
    return found.stdout.split()


class ProgramFolder:
    """A scratch program folder: Pointwick.exe, lan.dll and the generated skin."""

    def __init__(self, program_dir, skin_dir):
        self.path = tempfile.mkdtemp(prefix="pw-journey-")
        for name in ("Pointwick.exe", "lan.dll"):
            shutil.copy(os.path.join(program_dir, name), self.path)
        shutil.copytree(skin_dir, os.path.join(self.path, "skins"))

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


class StandIn:
    """The device service stand-in, logging what it receives."""

    def __init__(self, tools_bin, profile):
        self.log = os.path.join(tempfile.mkdtemp(prefix="pw-service-"), "service.log")
        self.process = subprocess.Popen(
            ["wine", os.path.join(tools_bin, "MouseHidStub.exe"), winpath(self.log), winpath(profile)],
            env=WINE_ENV, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        end = time.time() + 30
        while not os.path.exists(self.log + ".ready"):
            if time.time() > end:
                raise AssertionError("the stand-in service did not start")
            time.sleep(0.1)

    def messages(self):
        """(message, ms) of every line logged so far."""
        if not os.path.exists(self.log):
            return []
        lines = []
        for line in open(self.log, encoding="latin-1"):
            fields = line.split()
            if len(fields) >= 4:
                lines.append((int(fields[0]), int(fields[3])))
        return lines

    def stop(self):
        open(self.log + ".stop", "w").close()
        try:
            self.process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            self.process.kill()


def start_program(folder, exe="Pointwick.exe"):
    return subprocess.Popen(["wine", os.path.join(folder, exe)], cwd=folder, env=WINE_ENV,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def record(profile_path, profile, button):
    """The 44 bytes of ButtonAssigned<button> (1..9) of GROUP<profile> in the profile file."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(profile_path, encoding="latin-1")
    digits = parser.get("GROUP%d" % profile, "ButtonAssigned%d" % button)
    return bytes.fromhex(digits[:88])


def screenshot(path):
    run("import", "-window", "root", path)


def write_profile(path, current, records):
    """A profile file with "Profile" = current and the given records {(profile, button): code};
    everything else is left to the program's defaults."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    lines = ["[Setting]", "Profile=%d" % current]
    for profile in range(5):
        lines.append("[GROUP%d]" % profile)
        for button in range(1, 10):
            code = records.get((profile, button))
            if code is None:
                continue
            data = bytes([button, code, 0, 0]) + bytes(40)
            lines.append("ButtonAssigned%d=%s%02X" % (button, data.hex().upper(), sum(data) % 256))
    with open(path, "w", newline="\r\n") as f:
        f.write("\n".join(lines) + "\n")


def crop(path, out, rect, margin=16):
    left, top, right, bottom = rect
    run("convert", path, "-crop", "%dx%d+%d+%d" % (right - left + 2 * margin, bottom - top + 2 * margin,
                                                   max(0, left - margin), max(0, top - margin)),
        "+repage", out)


def picture_size(skins, ini, key="Main"):
    """Width and height of a skin description's [Screen] picture: the size of its window."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(os.path.join(skins, ini), encoding="latin-1")
    size = run("identify", "-format", "%w %h", os.path.join(skins, parser.get("Screen", key)))
    width, height = (int(v) for v in size.split())
    return width, height


def centred_over(outer_origin, outer_size, inner_size):
    """Where a window of inner_size stands when centred over another window."""
    return (outer_origin[0] + (outer_size[0] - inner_size[0]) // 2,
            outer_origin[1] + (outer_size[1] - inner_size[1]) // 2)
