#!/usr/bin/python3
"""The setup program under Wine, in a fresh prefix of its own, as an administrator and a user
meet it:

1. A profile file is there before anything is installed.
2. Silent install: the program folder with the unpacked skins, the Start-menu shortcuts, the logon
   entry and the uninstall entry are there; the programs are the build's; Glimmet runs, started
   with the user's rights, not Setup's.
3. Logging on (wineboot) starts Glimmet from the logon entry; Pointwick started from the installed
   folder shows its shaped window; F1 there asks the shell to open the installed Help.pdf; a click
   on profile 3 and on Apply saves a change into the profile file.
4. An upgrade through Setup's pages with the keyboard while Pointwick and Glimmet run: the space
   the pages show is the space the installation takes; both programs are asked to close, each in
   its own words; damaged files come back; Glimmet runs again and "Start Pointwick" on the last
   page starts Pointwick, both as the user; the saved change is still there.
5. Silent uninstall (Glimmet running again): every file, shortcut and registry entry of the
   installation is gone, nothing else on drive C: changed, and the profile file is as it was.

Usage: test_installer.py SETUP_EXE PROGRAM_DIR PROBE_EXE BASE_PREFIX WORK_DIR GALLERY_DIR
The display comes from DISPLAY (the test command's Xvfb)."""
import filecmp
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "support"))
import desktop  # noqa: E402

INSTALL = r"C:\Program Files\Pointwick"
MENU = r"C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Pointwick"
RUN_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Run"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Pointwick"
SHIPPED = ("Pointwick.exe", "Glimmet.exe", "Unfurlex.exe", "lan.dll", "skins.zip", "Help.pdf")
MAIN_TITLE, TRAY_CLASS, TRAY_TITLE = "Mouse Driver", "GlimmetTrayWindow", "MouseTrayIcon"
VERSION = None  # of the setup program, from its file name
WAIT = 60  # seconds a program gets to do what the test waits for; no result depends on it


class Failed(Exception):
    pass


class Check:
    def __init__(self):
        self.failures = []

    def that(self, condition, message):
        if not condition:
            self.failures.append(message)
            print("FAILED:", message)
        return condition

    def must(self, condition, message):
        if not self.that(condition, message):
            raise Failed(message)


class Prefix:
    """A fresh copy of the build's prefix; Windows paths of drive C: map into it."""

    def __init__(self, base, path):
        desktop.make_prefix(base)
        self.path = path
        self.env = desktop.wine_env(path)
        self.kill()
        shutil.rmtree(path, ignore_errors=True)
        subprocess.run(["cp", "-a", base, path], check=True)

    def unix(self, windows_path):
        assert windows_path[:3].upper() == "C:\\"
        return os.path.join(self.path, "drive_c", *windows_path[3:].split("\\"))

    def wine(self, *args):
        """Runs a Windows program to its end; (exit code, output). The output goes through a file:
        Wine's background programs would keep a pipe open."""
        with tempfile.TemporaryFile() as out:
            code = subprocess.run(["wine", *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                  stderr=subprocess.STDOUT, timeout=300).returncode
            out.seek(0)
            return code, out.read().decode("latin-1")

    def start(self, windows_exe):
        return subprocess.Popen(["wine", windows_exe], env=self.env, cwd=os.path.dirname(self.unix(windows_exe)),
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def reg(self, key, value):
        """The data of a registry value, or None."""
        code, out = self.wine("reg", "query", key, "/v", value)
        if code != 0:
            return None
        for line in out.splitlines():
            fields = line.strip().split(None, 2)
            if len(fields) >= 2 and fields[0].lower() == value.lower() and fields[1].startswith("REG_"):
                return fields[2] if len(fields) == 3 else ""
        return None

    def key_exists(self, key):
        return self.wine("reg", "query", key)[0] == 0

    def kill(self):
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_idle(self):
        """Waits until every program of the prefix has ended and the server with them."""
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=180)

    def files(self):
        """Every file and folder under drive C: apart from Windows' own and the temporary folders."""
        found = set()
        drive = os.path.join(self.path, "drive_c")
        for folder, dirs, names in os.walk(drive):
            relative = os.path.relpath(folder, drive)
            parts = relative.lower().split(os.sep)
            if parts[0] == "windows" or "temp" in parts:
                dirs[:] = []
                continue
            found.update(os.path.join(relative, n) for n in dirs + names)
        return found


class Probe:
    def __init__(self, prefix, exe, work):
        self.prefix, self.exe, self.out = prefix, exe, os.path.join(work, "probe.txt")

    def ask(self, *args):
        if os.path.exists(self.out):
            os.remove(self.out)
        code, output = self.prefix.wine(self.exe, *args, self.out)
        if code != 0 or not os.path.exists(self.out):
            raise Failed("probe %s: exit %d %s" % (" ".join(args), code, output))
        with open(self.out, encoding="latin-1") as f:
            return f.read().splitlines()

    def window(self, window_class, title):
        """(visible, region type, process image, process id, elevation) of a top-level window, or None."""
        lines = self.ask("window", window_class, title)
        return None if lines == ["none"] else (lines[0] == "visible", int(lines[1]), lines[2], lines[3], lines[4])

    def texts(self, title):
        """The texts of the controls of the visible windows whose titles begin with title, or None."""
        lines = self.ask("texts", title)
        return None if lines == ["none"] else lines

    def wait_window(self, window_class, title, present=True, shown=False):
        """The window once it exists (and, with shown, is visible), or None once it is gone."""
        end = time.time() + WAIT
        while time.time() < end:
            found = self.window(window_class, title)
            if (found is not None) == present and not (shown and found and not found[0]):
                return found
            time.sleep(0.3)
        return self.window(window_class, title)

    def shortcut(self, link):
        lines = self.ask("shortcut", link)
        return lines[0], lines[1], lines[2]


def same_path(a, b):
    return a.replace("/", "\\").rstrip("\\").lower() == b.replace("/", "\\").rstrip("\\").lower()


def wait_for(condition):
    end = time.time() + WAIT
    while time.time() < end and not condition():
        time.sleep(0.3)
    return condition()


def folder_kb(folder):
    return sum(os.path.getsize(os.path.join(d, n)) for d, _, ns in os.walk(folder) for n in ns) // 1024


def check_started_as_user(check, window, program):
    """A program that Setup started: from the installed folder, by the shell, which runs with the
    user's rights, not by Setup, whose elevation it would inherit (Wine has no elevation to tell)."""
    check.that(window is not None and same_path(window[2], INSTALL + "\\" + program),
               "%s does not run from the installed folder: %r" % (program, window))
    check.that(window is not None and window[4].lower().endswith("\\explorer.exe"),
               "%s was not started by the shell: %r" % (program, window))


def upgrade_by_keyboard(check, prefix, probe, setup, gallery):
    """Setup's pages, answered with Enter as a user who takes every default; its questions read
    back; the last page shot into the gallery. Returns the space in MB that the pages showed, or
    None."""
    title = "Pointwick %s Setup" % VERSION
    process = subprocess.Popen(["wine", setup], env=prefix.env, stdin=subprocess.DEVNULL,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wizard = desktop.find_window(title)
        x, y = desktop.window_origin(wizard)
        time.sleep(1.0)
        desktop.click(x + 250, y + 20)  # the window's face: the keyboard goes to the wizard
        desktop.keys("Return", pause=1.5)  # Welcome, then the components with the space needed
        shown = None
        for line in probe.texts(title) or []:
            if line.startswith("Space required: ") and line.endswith(" MB"):
                shown = float(line[len("Space required: "):-3])
        desktop.keys("Return", pause=1.0)  # the folder
        desktop.keys("Return")  # Install
        for program, words in (("Pointwick", "Pointwick is running. Setup closes it now; changes that were "
                                             "not applied yet are lost."),
                               ("Glimmet", "Glimmet is running. Setup closes it now and starts it again "
                                           "when it has finished.")):
            asked = wait_for(lambda: words in (probe.texts(title) or []))
            check.that(asked, "Setup did not ask to close %s in its words: %r" % (program, probe.texts(title)))
            desktop.keys("Return", pause=1.0)
        # The last page: "Start Pointwick" is ticked; Finish.
        check.that(wait_for(lambda: "Start Pointwick" in (probe.texts(title) or [])),
                   "the last page offers no \"Start Pointwick\"")
        time.sleep(0.5)
        size = dict(line.split("=", 1) for line in desktop.run("xdotool", "getwindowgeometry", "--shell",
                                                               wizard).split())
        screen = os.path.join(gallery, ".setup-screen.png")
        desktop.screenshot(screen)
        desktop.crop(screen, os.path.join(gallery, "setup-finish.png"),
                     (x, y, x + int(size["WIDTH"]), y + int(size["HEIGHT"])), margin=0)
        os.remove(screen)
        desktop.keys("Return")
        process.wait(timeout=WAIT)
    finally:
        if process.poll() is None:
            process.kill()
    check.that(process.returncode == 0, "Setup ended with %r" % process.returncode)
    return shown


def check_installation(check, prefix, probe, program_dir):
    """Files, shortcuts, the logon entry and the uninstall entry of a finished installation."""
    folder = prefix.unix(INSTALL)
    for name in SHIPPED:
        check.that(os.path.isfile(os.path.join(folder, name)) and
                   filecmp.cmp(os.path.join(program_dir, name), os.path.join(folder, name), shallow=False),
                   "%s is not the build's %s" % (os.path.join(folder, name), name))
    check.that(os.path.isfile(os.path.join(folder, "Uninstall.exe")), "no Uninstall.exe")
    with zipfile.ZipFile(os.path.join(program_dir, "skins.zip")) as package:
        packed = {n for n in package.namelist() if not n.endswith("/")}
    skins = os.path.join(folder, "skins")
    unpacked = {os.path.relpath(os.path.join(d, n), skins) for d, _, ns in os.walk(skins) for n in ns}
    check.that(packed and unpacked == packed, "the skins folder holds %d files, the package %d; differing: %s"
               % (len(unpacked), len(packed), sorted(unpacked ^ packed)[:5]))

    for link, target in (("Pointwick.lnk", "Pointwick.exe"), ("Pointwick user guide.lnk", "Help.pdf"),
                         ("Glimmet.lnk", "Glimmet.exe")):
        path = MENU + "\\" + link
        if check.that(os.path.isfile(prefix.unix(path)), "no shortcut %s" % path):
            got, _, _ = probe.shortcut(path)
            check.that(same_path(got, INSTALL + "\\" + target), "%s leads to %r" % (link, got))

    run = prefix.reg(RUN_KEY, "Glimmet")
    check.that(run is not None and same_path(run.strip('"'), INSTALL + "\\Glimmet.exe") and run.startswith('"'),
               "the logon entry is %r" % run)
    values = {name: prefix.reg(UNINSTALL_KEY, name) for name in
              ("DisplayName", "DisplayVersion", "Publisher", "DisplayIcon", "UninstallString",
               "QuietUninstallString", "InstallLocation", "EstimatedSize", "URLInfoAbout")}
    check.that(values["URLInfoAbout"] is None, "the uninstall entry gives an address: %r" % values["URLInfoAbout"])
    check.that(values["DisplayName"] == "Pointwick", "DisplayName %r" % values["DisplayName"])
    check.that(values["DisplayVersion"] == VERSION, "DisplayVersion %r" % values["DisplayVersion"])
    check.that(values["Publisher"] == "Pointwick", "Publisher %r" % values["Publisher"])
    icon = values["DisplayIcon"] or ""
    check.that(icon.lower().startswith(INSTALL.lower()) and os.path.isfile(prefix.unix(icon)),
               "DisplayIcon %r is not an installed file" % icon)
    check.that(values["UninstallString"] is not None and
               same_path(values["UninstallString"].strip('"'), INSTALL + "\\Uninstall.exe"),
               "UninstallString %r" % values["UninstallString"])
    check.that(values["QuietUninstallString"] is not None and values["QuietUninstallString"].endswith("/S"),
               "QuietUninstallString %r" % values["QuietUninstallString"])
    check.that(same_path(values["InstallLocation"] or "", INSTALL), "InstallLocation %r" % values["InstallLocation"])
    size = folder_kb(folder)
    estimated = int(values["EstimatedSize"] or "-1", 0)
    check.that(abs(estimated - size) <= 64, "EstimatedSize %d KB, the folder holds %d KB" % (estimated, size))


def main(setup, program_dir, probe_exe, base_prefix, work, gallery):
    global VERSION
    VERSION = os.path.basename(setup)[len("PointwickSetup-"):-len(".exe")]
    os.makedirs(work, exist_ok=True)
    prefix = Prefix(base_prefix, os.path.join(work, "wineprefix"))
    os.environ["WINEPREFIX"] = prefix.path
    check = Check()
    probe = Probe(prefix, probe_exe, work)
    opened = os.path.join(work, "opened.txt")
    if os.path.exists(opened):
        os.remove(opened)
    programs = []
    try:
        # 1. A profile file written before anything is installed (profile 2 current).
        profile = desktop.profile_file()
        desktop.write_profile(profile, 1, {(1, 4): 10})
        before = prefix.files()

        # 2. Silent install.
        print("== silent install")
        code, out = prefix.wine(setup, "/S")
        check.must(code == 0, "the silent install ended with %d: %s" % (code, out))
        check_installation(check, prefix, probe, program_dir)
        check_started_as_user(check, probe.wait_window(TRAY_CLASS, TRAY_TITLE), "Glimmet.exe")
        prefix.wine("taskkill", "/im", "Glimmet.exe")  # so that logging on has it to start
        check.must(probe.wait_window(TRAY_CLASS, TRAY_TITLE, present=False) is None, "Glimmet did not close")

        # 3. Logging on starts Glimmet; Pointwick from the installed folder; Help; a saved change.
        print("== logon, Pointwick, Help, a saved change")
        prefix.wine("wineboot")
        tray = probe.wait_window(TRAY_CLASS, TRAY_TITLE)
        check.that(tray is not None and same_path(tray[2], INSTALL + "\\Glimmet.exe"),
                   "logging on did not start the installed Glimmet: %r" % (tray,))
        programs.append(prefix.start(INSTALL + "\\Pointwick.exe"))
        # The window has its title before it is shown.
        main_window = probe.wait_window("-", MAIN_TITLE, shown=True)
        check.must(main_window is not None, "the installed Pointwick shows no window")
        visible, region, image = main_window[:3]
        check.that(same_path(image, INSTALL + "\\Pointwick.exe"), "the window belongs to %r" % image)
        check.that(visible and region == 3, "the main window is not shaped by its skin (visible %s, region %d)"
                   % (visible, region))
        window_id = desktop.find_window(MAIN_TITLE)
        x, y = desktop.window_origin(window_id)
        size = dict(line.split("=", 1) for line in desktop.run("xdotool", "getwindowgeometry", "--shell",
                                                               window_id).split())
        face = (x, y, x + int(size["WIDTH"]), y + int(size["HEIGHT"]))
        time.sleep(1.0)
        items = desktop.skin_items(os.path.join(prefix.unix(INSTALL), "skins"), "skin_main.ini")
        screen = os.path.join(work, "screen.png")
        desktop.screenshot(screen)
        desktop.crop(screen, os.path.join(gallery, "installed-main.png"), face)
        os.remove(screen)

        # The shell opens documents of the type ".pdf" with the probe, which notes the path.
        handler = '"%s" opened "%s" "%%1"' % (desktop.winpath(probe_exe), desktop.winpath(opened))
        prefix.wine("reg", "add", r"HKCR\.pdf", "/ve", "/d", "InstallerTest.Document", "/f")
        prefix.wine("reg", "add", r"HKCR\InstallerTest.Document\shell\open\command", "/ve", "/d", handler, "/f")
        desktop.click(*desktop.centre(items["1"], (x, y)))  # the badge: a face button without a command
        desktop.keys("F1")
        check.that(wait_for(lambda: os.path.exists(opened)), "the shell was not asked to open anything")
        if os.path.exists(opened):
            documents = open(opened, encoding="latin-1").read().splitlines()
            check.that(len(documents) == 1 and same_path(documents[0], INSTALL + "\\Help.pdf"),
                       "the shell was asked to open %r" % documents)

        desktop.click(*desktop.centre(items["23"], (x, y)))  # profile 3
        desktop.click(*desktop.centre(items["4"], (x, y)))   # Apply
        check.must(wait_for(lambda: "Profile=2" in open(profile, encoding="latin-1").read()),
                   "Apply did not save profile 3 as the current one")
        saved = open(profile, "rb").read()

        # 4. An upgrade over the running programs, page by page; two files damaged beforehand.
        print("== upgrading over the running programs with the keyboard")
        with open(os.path.join(prefix.unix(INSTALL), "Help.pdf"), "wb") as f:
            f.write(b"damaged")
        os.remove(os.path.join(prefix.unix(INSTALL), "skins", "skin_main.ini"))
        tray_before = probe.window(TRAY_CLASS, TRAY_TITLE)
        shown = upgrade_by_keyboard(check, prefix, probe, setup, gallery)
        tray = probe.wait_window(TRAY_CLASS, TRAY_TITLE)
        check.that(tray is not None and tray_before is not None and tray[3] != tray_before[3],
                   "Glimmet was not started again after the upgrade: before %r, after %r" % (tray_before, tray))
        check_started_as_user(check, tray, "Glimmet.exe")
        check_started_as_user(check, probe.wait_window("-", MAIN_TITLE, shown=True), "Pointwick.exe")
        check_installation(check, prefix, probe, program_dir)
        used = folder_kb(prefix.unix(INSTALL)) / 1024
        check.that(shown is not None and abs(shown - used) <= 0.2,
                   "Setup showed %r MB needed; the installation takes %.1f MB" % (shown, used))
        check.that(open(profile, "rb").read() == saved, "installing again changed the profile file")

        # 5. Silent uninstall while Glimmet (and Pointwick) run.
        print("== silent uninstall")
        prefix.wine("reg", "delete", r"HKCR\InstallerTest.Document", "/f")
        prefix.wine("reg", "delete", r"HKCR\.pdf", "/f")
        code, out = prefix.wine(prefix.unix(INSTALL) + "/Uninstall.exe", "/S")
        check.must(code == 0, "the silent uninstall ended with %d: %s" % (code, out))
        prefix.wait_idle()  # the uninstaller runs on from a copy of itself in the temporary folder
        check.that(not os.path.exists(prefix.unix(INSTALL)), "the program folder is still there: %s"
                   % (os.listdir(prefix.unix(INSTALL)) if os.path.isdir(prefix.unix(INSTALL)) else ""))
        check.that(not os.path.exists(prefix.unix(MENU)), "the Start-menu folder is still there")
        check.that(prefix.reg(RUN_KEY, "Glimmet") is None, "the logon entry is still there")
        check.that(not prefix.key_exists(UNINSTALL_KEY), "the uninstall entry is still there")
        after = prefix.files()
        check.that(after == before, "drive C: differs from before the installation: added %s, removed %s"
                   % (sorted(after - before)[:8], sorted(before - after)[:8]))
        check.that(os.path.isfile(profile) and open(profile, "rb").read() == saved,
                   "the profile file did not stay as it was")
        for hive in ("system.reg", "user.reg"):
            text = open(os.path.join(prefix.path, hive), encoding="latin-1").read().lower()
            for name in ("pointwick", "glimmet"):
                check.that(name not in text, "%s still mentions %s" % (hive, name))
    except Failed:
        pass
    finally:
        for program in programs:
            if program.poll() is None:
                program.kill()
        prefix.kill()
    if not check.failures:
        shutil.rmtree(prefix.path, ignore_errors=True)
    print("test_installer: %s" % ("passed" if not check.failures else "%d failures" % len(check.failures)))
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:7]))
