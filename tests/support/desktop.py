"""Driving our programs under Wine as a user does: real clicks and keys through xdotool on the
test display, the skin descriptions for where to click, the profile file and the stand-in
service's log for what happened. Used by the journey tests and the screenshot scripts; the
display (DISPLAY) and the prefix (WINEPREFIX) come from the environment, the rest of Wine's
environment from wine_env, as tools/scripts/wine-env.sh sets it for the shell scripts."""
import configparser
import glob
import os
import shutil
import subprocess
import tempfile
import time

WINE_ENV_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "scripts",
                               "wine-env.sh")


def wine_env(prefix=None):
    """The environment of our programs under Wine: quiet, no menu entries, in `prefix` or the
    prefix WINEPREFIX names."""
    env = dict(os.environ, WINEARCH="win64", WINEDEBUG=os.environ.get("WINEDEBUG", "-all"),
               WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d")
    if prefix:
        env["WINEPREFIX"] = prefix
    return env


def make_prefix(prefix):
    """Creates a Wine prefix once (first use takes a while), as the shell scripts do."""
    subprocess.run(["bash", "-c", '. "$1"; make_prefix "$2"', "-", WINE_ENV_SCRIPT, prefix], check=True)


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


def skin_fields(skins, ini, section="BUTTONPOS"):
    """{key: (rect (left, top, right, bottom), the value's comma-separated fields)} of a skin
    description's items."""
    parser = configparser.ConfigParser(interpolation=None, strict=False)
    parser.optionxform = str
    parser.read(os.path.join(skins, ini), encoding="latin-1")
    items = {}
    for key, value in parser.items(section):
        fields = value.split(",")
        x, y, w, h = (int(v) for v in fields[1:5])
        items[key] = ((x, y, x + w, y + h), fields)
    return items


def skin_items(skins, ini, section="BUTTONPOS"):
    """The rectangles (left, top, right, bottom) of a skin description's items, by key."""
    return {key: rect for key, (rect, _) in skin_fields(skins, ini, section).items()}


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


def drag_to_right_edge(window_id, screen_width=1280):
    """Drags the main window (at 100 percent) by its face to the screen's right edge; its new geometry."""
    x, y, width, _ = window_geometry(window_id)
    run("xdotool", "mousemove", str(x + 250), str(y + 16), "mousedown", "1")
    for step in range(1, 11):
        run("xdotool", "mousemove", str(x + 250 + (screen_width - x - width) * step // 10), str(y + 16), "sleep", "0.05")
    run("xdotool", "mouseup", "1", "sleep", "0.5")
    return window_geometry(window_id)


def window_ids(title_pattern):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_pattern],
                           capture_output=True, text=True)
    return found.stdout.split()


class ProgramFolder:
    """A scratch program folder: the programs (Pointwick.exe unless told), lan.dll and the
    generated skin."""

    def __init__(self, program_dir, skin_dir, programs=("Pointwick.exe",)):
        self.path = tempfile.mkdtemp(prefix="pw-journey-")
        for name in tuple(programs) + ("lan.dll",):
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
            env=wine_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        end = time.time() + 30
        while not os.path.exists(self.log + ".ready"):
            if time.time() > end:
                raise AssertionError("the stand-in service did not start")
            time.sleep(0.1)

    def start_tick(self):
        """The system's tick count that the logged times count from."""
        with open(self.log + ".ready", encoding="latin-1") as ready:
            return int(ready.read().split()[0])

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


def start_program(folder, exe="Pointwick.exe", *args):
    return subprocess.Popen(["wine", os.path.join(folder, exe)] + list(args), cwd=folder, env=wine_env(),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def rules_file():
    """The user's rules of automatic profiles, beside the profile file."""
    return os.path.join(os.path.dirname(profile_file()), "ProgramProfiles.ini")


class FileGuard:
    """Puts a file back as it was (or removes it) afterwards; starts without it."""

    def __init__(self, path):
        self.path = path
        self.saved = open(path, "rb").read() if os.path.exists(path) else None

    def __enter__(self):
        if os.path.exists(self.path):
            os.remove(self.path)
        return self

    def __exit__(self, *exc):
        if os.path.exists(self.path):
            os.remove(self.path)
        if self.saved is not None:
            with open(self.path, "wb") as f:
                f.write(self.saved)


def visible_windows():
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ".*"],
                           capture_output=True, text=True)
    return set(found.stdout.split())


def window_geometry(window_id):
    geometry = run("xdotool", "getwindowgeometry", "--shell", window_id)
    values = dict(line.split("=", 1) for line in geometry.split())
    return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])


def tray_icon():
    """The centre of the first icon in Wine's own tray window (shown when there is no desktop tray)."""
    end = time.time() + 30
    while time.time() < end:
        ids = window_ids("^Wine System Tray$")
        if ids:
            # The icon is added, and the window raised, a moment after the window appears; a
            # menu opened before that ends up beneath it.
            time.sleep(2.5)
            x, y, w, h = window_geometry(ids[0])
            return x + h // 2, y + h // 2
        time.sleep(0.25)
    raise AssertionError("no tray window")


def open_popup_menu(x, y, button=3, timeout=10.0):
    """Clicks at (x, y) and returns the geometry of the popup menu window that opens there."""
    before = visible_windows()
    run("xdotool", "mousemove", "--sync", str(x), str(y))
    time.sleep(0.15)
    run("xdotool", "click", str(button))
    end = time.time() + timeout
    while time.time() < end:
        time.sleep(0.3)
        for window_id in visible_windows() - before:
            left, top, w, h = window_geometry(window_id)
            if abs(left - x) < 60 and abs(top - y) < 60:
                return left, top, w, h
    raise AssertionError("no menu opened at %d,%d" % (x, y))


# Wine draws a popup menu with a 3-pixel frame; a separator row is 9 pixels high.
MENU_FRAME, MENU_SEPARATOR = 3, 9


def menu_item_centre(menu, index, items, separators=0, before=0):
    """The centre of item `index` (0 first) of a menu of `items` equal rows and `separators`
    separator rows, `before` of them above this item's row."""
    left, top, w, h = menu
    row = (h - 2 * MENU_FRAME - separators * MENU_SEPARATOR) / items
    return left + w // 2, int(top + MENU_FRAME + before * MENU_SEPARATOR + row * (index + 0.5))


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


def end_program(program, timeout=20):
    """Waits for a program the journey asked to close; one that does not end is killed."""
    try:
        program.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        pass
    if program.poll() is None:
        program.kill()


def report(name, failures):
    """Prints the journey's failures and its closing line; the exit status."""
    for failure in failures:
        print("FAILED:", failure)
    print("%s: %d passed, %d failed" % (name, 0 if failures else 1, 1 if failures else 0))
    return 1 if failures else 0
