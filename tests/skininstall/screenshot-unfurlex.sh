#!/usr/bin/env bash
# Screenshot of Unfurlex while it installs a large package, under Xvfb and Wine:
# screenshot-unfurlex.sh [OUT.png]   (default build/win/gallery/unfurlex-installing.png)
# Uses the cross build in build/win (or PW_BUILD_DIR) (target Unfurlex) and its Wine prefix.
# PW_LOGPIXELS=144 shows it at 150 percent (the prefix's DPI, 96 unless given, read at the start).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${PW_BUILD_DIR:-$root/build/win}
out=${1:-$build/gallery/unfurlex-installing.png}
mkdir -p "$(dirname "$out")"
. "$root/tools/scripts/wine-env.sh"
wine_session "$build/shots-wineprefix" --display
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "${PW_LOGPIXELS:-96}" /f >/dev/null

folder=/tmp/unfurlex-shot
rm -rf "$folder" && mkdir -p "$folder/data"
cp "$build/program/Unfurlex.exe" "$folder/"
# Enough data that the installation takes a couple of seconds.
entries=40
for i in $(seq -w 1 $entries); do head -c 4000000 /dev/urandom >"$folder/data/face$i.bmp"; done
(cd "$folder/data" && zip -q -r -P plovardik3817 ../skins.zip .)
rm -rf "$folder/data"

(cd "$folder" && timeout 120 wine ./Unfurlex.exe) &
program=$!
shots=$(mktemp -d)
for n in $(seq 1 200); do
  count=$( (find "$folder/skins" -type f 2>/dev/null || true) | wc -l)
  if [ "$count" -gt 2 ] && [ "$count" -lt $((entries - 2)) ]; then
    import -window root "$out"
    echo "captured with $count of $entries files installed: $out"
    break
  fi
  kill -0 $program 2>/dev/null || break
  sleep 0.05
done
wait $program || true
rm -rf "$shots"
[ -f "$out" ] || { echo "the installation ended before a capture" >&2; exit 1; }
