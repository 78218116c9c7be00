#!/usr/bin/env python3
"""Runs the archives of two peers' ZIP test suites through our reader and compares the outcome
with what each suite expects of them (expectations.tsv).

  peer_suites.py [--archives DIR] [--probe PATH] [--only TEXT...] [--keep]
                 [--wine UNFURLEX_EXE [--answer ANSWER_BOXES_EXE]] [--wine-probe ZIP_PROBE_EXE]
                 [--wineprefix DIR] [--display :N]

Natively each archive goes through zip_probe (the install loop, the reader and the standard
library's files); with --wine-probe also through zip_probe.exe under Wine (the Windows files).
With --wine, also through the real Unfurlex.exe under Wine: the archive becomes skins.zip beside
a copy of the program, and answer_boxes reports the boxes it shows.
Prints, per suite and run, the agreements out of the cases and every disagreement.
"""
import argparse
import os
import pathlib
import shutil
import signal
import subprocess
import sys
import tempfile
import time

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent.parent

# Disagreements we chose: the skins folder is protected more strictly than a general reader
# needs, and the reader reads only what a skin package can hold.
KNOWN_DIFFERENCES = {
    "go/dupdir.zip": "a file and a folder of one name cannot both exist in the skins folder",
    "libzip/filename_empty.zip": "an entry without a name would be the skins folder itself",
    "libzip/test-cp437.zip": "names Windows cannot hold (':') or cannot tell apart (letter case) are refused",
    "libzip/encrypt-aes128.zip": "only the traditional encryption of the skin package is read",
    "libzip/encrypt-aes192.zip": "only the traditional encryption of the skin package is read",
    "libzip/encrypt-aes256.zip": "only the traditional encryption of the skin package is read",
    "libzip/lzma-no-eos.zip": "only stored and deflated entries are read",
    "libzip/testfile-lzma.zip": "only stored and deflated entries are read",
    "libzip/testfile-xz.zip": "only stored and deflated entries are read",
    "libzip/testfile-zstd.zip": "only stored and deflated entries are read",
    "libzip/testbzip2.zip": "only stored and deflated entries are read",
    "libzip/incons-central-date.zip": "the central header's time is used; its local copy is not compared",
    "libzip/incons-ef-local-dupe-utf8name.zip": "Unicode path extra fields are not read: the header's name is used",
    "libzip/incons-ef-local-utf8name-ascii.zip": "Unicode path extra fields are not read: the header's name is used",
    "libzip/incons-eocd64-gap.zip": "a Zip64 end record found through its locator is used even with a gap behind it",
    "libzip/incons-cdsize-small.zip": "the suite's own copy is the large-size case, whose headers end where the records start",
}


class Case:
    def __init__(self, suite, archive, expect, entries, names, password, note):
        self.suite, self.archive, self.expect, self.note = suite, archive, expect, note
        self.entries = int(entries) if entries else None
        self.names = names.split("|") if names else []
        self.password = password or None

    @property
    def key(self):
        return f"{self.suite}/{self.archive}"


def read_table():
    cases = []
    for line in (HERE / "expectations.tsv").read_text(encoding="utf-8").splitlines():
        if line and not line.startswith("#"):
            cases.append(Case(*line.split("\t")))
    return cases


def run(command, timeout, **kwargs):
    """(exit code or None on timeout, stdout) of a command."""
    try:
        done = subprocess.run(command, capture_output=True, timeout=timeout, **kwargs)
    except subprocess.TimeoutExpired:
        return None, ""
    return done.returncode, done.stdout.decode("utf-8", "replace")


def missing_names(case, folder, ascii_only):
    """The expected entries that were not installed. Under Windows a name without the UTF-8 flag
    goes through the OEM code page, so there only ASCII names are looked for."""
    return [name for name in case.names
            if (name.isascii() or not ascii_only) and not (folder / name).exists()]


def probe(case, archive, work, program, prefix=None):
    """(outcome, detail) of zip_probe, natively or under Wine: outcome is ok, refused, wrong (ok,
    but not the expected entries), crash or timeout."""
    target = work / ("wine-probe" if prefix else "native") / case.suite / case.archive
    path = (lambda p: "Z:" + str(p)) if prefix else str
    command = (["wine"] if prefix else []) + [str(program), path(archive), path(target)]
    if case.password:
        command += ["--password", case.password]
    code, out = run(command, 900, env=prefix.env if prefix else None)
    line = out.strip().splitlines()[-1] if out.strip() else ""
    if code is None:
        return "timeout", "no answer in 900 s"
    if code != 0 or not line.startswith(("ok ", "refused ")):
        return "crash", f"exit {code}: {line}"
    if line.startswith("refused "):
        return "refused", line[len("refused "):]
    count = int(line.split()[1])
    if case.entries is not None and count != case.entries:
        return "wrong", f"{count} entries, not {case.entries}"
    missing = missing_names(case, target, ascii_only=prefix is not None)
    if missing:
        return "wrong", f"{count} entries, but not {', '.join(missing)}"
    return "ok", f"{count} entries"


class WinePrefix:
    """A private Wine prefix, on a private display when no X server answers on it."""

    def __init__(self, prefix, display):
        self.env = dict(os.environ, WINEPREFIX=str(prefix), DISPLAY=display, WINEDEBUG="-all",
                        WINEARCH="win64",
                        WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d")
        self.xvfb = None
        if not pathlib.Path(f"/tmp/.X11-unix/X{display.lstrip(':')}").exists():
            self.xvfb = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24",
                                          "-nolisten", "tcp"], stderr=subprocess.DEVNULL)
            time.sleep(1)
        if not (pathlib.Path(prefix) / "system.reg").exists():
            # A prefix still being set up races the first program: let it finish first.
            subprocess.run(["wineboot", "-i"], env=self.env, capture_output=True)
        subprocess.run(["wineserver", "-w"], env=self.env)

    def close(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()


def unfurlex(case, archive, work, program, answer, prefix):
    """(outcome, detail) of Unfurlex.exe under Wine installing the archive as its skins.zip."""
    folder = work / "wine" / case.suite / case.archive
    folder.mkdir(parents=True)
    shutil.copy(program, folder / "Unfurlex.exe")
    shutil.copy(archive, folder / "skins.zip")
    code, out = run(["wine", str(answer), "Z:" + str(folder / "Unfurlex.exe"), "900"], 960,
                    env=prefix.env)
    lines = out.splitlines()
    boxes = [line[4:] for line in lines if line.startswith("box ")]
    if code is None or "hung" in lines:
        return "timeout", "Unfurlex did not end"
    if boxes:
        return "refused", " / ".join(boxes)
    if "exit 0" not in lines:
        return "crash", " ".join(lines) or f"answer_boxes exit {code}"
    missing = missing_names(case, folder / "skins", ascii_only=True)
    if missing:
        return "wrong", f"no box, but not {', '.join(missing)}"
    return "ok", "no box"


def agrees(expect, outcome):
    return outcome == expect or (expect == "either" and outcome in ("ok", "refused"))


def report(title, results):
    agreed = sum(agrees(case.expect, outcome) for case, outcome, _ in results)
    print(f"\n{title}: {agreed} of {len(results)} agree")
    for case, outcome, detail in results:
        if agrees(case.expect, outcome):
            continue
        reason = KNOWN_DIFFERENCES.get(case.key, "")
        print(f"  {case.archive}\n    suite expects: {case.expect} ({case.note})\n"
              f"    we did:        {outcome}: {detail}" + (f"\n    why we differ: {reason}" if reason else ""))


def remove_tree(path):
    """Removes what the runs left, read-only files and folders included."""
    for folder, _, files in os.walk(path):
        os.chmod(folder, 0o755)
        for name in files:
            os.chmod(os.path.join(folder, name), 0o644, follow_symlinks=False)
    shutil.rmtree(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--archives", default="/tmp/peers", help="output folder of get-peer-archives.sh")
    parser.add_argument("--probe", default=ROOT / "build/native/tools/zip_peers/zip_probe")
    parser.add_argument("--only", nargs="+", metavar="TEXT",
                        help="only archives whose name contains one of these texts")
    parser.add_argument("--keep", action="store_true", help="keep the installed folders")
    parser.add_argument("--wine", metavar="UNFURLEX_EXE", help="also run Unfurlex.exe under Wine")
    parser.add_argument("--answer", default=ROOT / "build/win/tools/zip_peers/answer_boxes.exe")
    parser.add_argument("--wine-probe", metavar="ZIP_PROBE_EXE", help="also run zip_probe.exe under Wine")
    parser.add_argument("--wineprefix", default="/tmp/peers/wineprefix")
    parser.add_argument("--display", default=":77")
    args = parser.parse_args()

    archives = pathlib.Path(args.archives)
    cases = [c for c in read_table() if not args.only or any(t in c.archive for t in args.only)]
    missing = [c.key for c in cases if c.expect != "skip" and not (archives / c.key).exists()]
    if missing:
        sys.exit(f"missing in {archives}: {' '.join(missing)} (run get-peer-archives.sh first)")
    prefix = WinePrefix(args.wineprefix, args.display) if args.wine or args.wine_probe else None
    runs = {"native": lambda case, archive, work: probe(case, archive, work, args.probe)}
    if args.wine_probe:
        runs["wine-probe"] = lambda case, archive, work: probe(case, archive, work, args.wine_probe, prefix)
    if args.wine:
        # Unfurlex knows only the skin package's password.
        runs["wine"] = lambda case, archive, work: None if case.password else unfurlex(
            case, archive, work, args.wine, args.answer, prefix)
    results = {name: [] for name in runs}
    work = pathlib.Path(tempfile.mkdtemp(dir=archives, prefix="run-"))
    # A run that is stopped still reports what it has done.
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    todo = [c for c in cases if c.expect != "skip"]
    done = 0
    try:
        for case in todo:
            progress = []
            for name, run_one in runs.items():
                outcome = run_one(case, archives / case.key, work)
                if outcome:
                    results[name].append((case, *outcome))
                    progress.append(f"{name} {outcome[0]}" + ("" if outcome[0] == "ok" else f" ({outcome[1]})"))
            print(f"{case.key}: {', '.join(progress)}", file=sys.stderr, flush=True)
            done += 1
    except KeyboardInterrupt:
        print(f"stopped after {done} of {len(todo)} archives; the counts cover those", flush=True)
    finally:
        if prefix:
            prefix.close()
        if args.keep:
            print(f"installed folders kept in {work}", file=sys.stderr)
        else:
            remove_tree(work)
    skipped = sum(c.expect == "skip" for c in cases)
    print(f"{len(cases)} archives in the table, {skipped} of them say nothing about reading (skip)")
    for suite in ("go", "libzip"):
        for name, suite_results in results.items():
            if any(r[0].suite == suite for r in suite_results):
                report(f"{suite}, {name}", [r for r in suite_results if r[0].suite == suite])


if __name__ == "__main__":
    main()
