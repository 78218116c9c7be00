#!/usr/bin/env bash
# Runs the start-up benchmark on the built tree: Pointwick beside a bare dialog program, started in
# turn under one warm wineserver in a private prefix on a private Xvfb, and timed from outside the
# programs (tools/scripts/bench_startup.py says what is measured and how). Prints medians and
# interquartile ranges of the first paint, the six side panels and the memory of each, their ratio
# within each round, and the goals.
# Usage: tools/scripts/bench-startup.sh [ROUNDS | --rounds N] [--csv FILE] [--no-menu] [--trace] [--scaled DPI]
#        (build first: tools/scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
. "$root/tools/scripts/wine-env.sh"
bench=$root/build/win/tools-bin
for file in "$bench/startup_launcher.exe" "$bench/bare_dialog.exe" "$root/build/win/program/Pointwick.exe"; do
  [ -f "$file" ] || { echo "missing $file: build first" >&2; exit 1; }
done
# A lone number is the number of rounds, as before.
if [ $# -eq 1 ] && [[ $1 =~ ^[0-9]+$ ]]; then set -- --rounds "$1"; fi
work=$(mktemp -d /tmp/pw-bench.XXXXXX)
wine_session "$work/prefix" --copy-of "$root/build/win/wineprefix" --display --warm
trap 'wine_session_end; rm -rf "$work"' EXIT
# The program runs from a folder of its own, with the unpacked skin beside it.
mkdir -p "$work/program"
cp "$root/build/win/program/Pointwick.exe" "$root/build/win/program/lan.dll" "$work/program/"
cp -r "$root/build/win/skin/skins" "$work/program/"
/usr/bin/python3 "$root/tools/scripts/bench_startup.py" "$bench/startup_launcher.exe" \
  "$(winepath -w "$work/program")" "$(winepath -w "$bench/bare_dialog.exe")" "$@"
