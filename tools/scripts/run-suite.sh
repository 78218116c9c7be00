#!/usr/bin/env bash
# Runs the suite as a user would: installs what is missing, builds, unpacks the skin package
# with Unfurlex, starts the device service stand-in and Pointwick, and writes a screenshot.
# Without a display it starts its own Xvfb and ends after the screenshot; with one it keeps
# Pointwick running until its window is closed.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
"$root/tools/scripts/deps.sh"
PW_SKIP_NATIVE=1 "$root/tools/scripts/build.sh"
. "$root/tools/scripts/wine-env.sh"

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
if [ $headless -eq 1 ]; then
  wine_session "$root/build/win/wineprefix-run" --display
else
  wine_session "$root/build/win/wineprefix-run"
fi

program=$root/build/win/program
shots=$root/build/screenshots
mkdir -p "$shots"
# A desktop colour that shows the windows' shaped outlines.
[ $headless -eq 1 ] && command -v xsetroot >/dev/null && xsetroot -solid '#3a6ea5' || true

echo "unpacking the skin package"
wine "$program/Unfurlex.exe" || true
log=$root/build/screenshots/service.log
wine "$root/build/win/tools-bin/MouseHidStub.exe" "$(winepath -w "$log")" &
wine "$program/Pointwick.exe" &
pointwick=$!
for _ in $(seq 60); do
  xdotool search --name '^Mouse Driver$' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
import -window root "$shots/run.png"
echo "screenshot: $shots/run.png"
if [ $headless -eq 0 ]; then wait $pointwick || true; fi
