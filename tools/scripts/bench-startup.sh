#!/usr/bin/env bash
# Runs the start-up benchmark on built trees: Pointwick beside a bare dialog program, in turn
# under one warm wineserver, in a private prefix on a private Xvfb. Prints min and median of
# each, their ratio, and a label click to its menu painted.
# Usage: tools/scripts/bench-startup.sh [ROUNDS]   (build first: tools/scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
rounds=${1:-12}
. "$root/tools/scripts/wine-env.sh"
bench=$root/build/win/tools-bin
for file in "$bench/bench_startup.exe" "$bench/bare_dialog.exe" "$root/build/win/program/Pointwick.exe"; do
  [ -f "$file" ] || { echo "missing $file: build first" >&2; exit 1; }
done
work=$(mktemp -d /tmp/pw-bench.XXXXXX)
wine_session "$work/prefix" --copy-of "$root/build/win/wineprefix" --display --warm
trap 'wine_session_end; rm -rf "$work"' EXIT
# The program runs from a folder of its own, with the unpacked skin beside it.
mkdir -p "$work/program"
cp "$root/build/win/program/Pointwick.exe" "$root/build/win/program/lan.dll" "$work/program/"
cp -r "$root/build/win/skin/skins" "$work/program/"
wine "$bench/bench_startup.exe" "$(winepath -w "$work/program")" "$(winepath -w "$bench/bare_dialog.exe")" "$rounds"
