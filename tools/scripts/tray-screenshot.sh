#!/usr/bin/env bash
# Opens Glimmet's tray menu with a real right click on its icon under Xvfb and writes a picture of it
# to <build>/gallery/tray-menu.png. Usage: tools/scripts/tray-screenshot.sh [build-dir]
# (default build/win). Set PW_USE_DISPLAY=1 to use $DISPLAY instead of a private Xvfb.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../../build/win}" && pwd)
. "$here/prefix.sh"
export WINEPREFIX=$build/shots-wineprefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
make_prefix "$WINEPREFIX"
# The prefix's server keeps the display it was started with: let an earlier one end first.
timeout 60 wineserver -w || true
[ -n "${PW_USE_DISPLAY:-}" ] || start_xvfb
trap 'timeout 30 wineserver -w || true; stop_xvfb' EXIT

# A program folder of its own, as a user receives it: the companion, lan.dll and the icon.
gallery=$build/gallery
folder=$gallery/tray-folder
rm -rf "$folder"
mkdir -p "$folder/skins"
cp "$build/program/Glimmet.exe" "$build/program/lan.dll" "$folder/"
cp "$build/skin/skins/logo.ico" "$folder/skins/"

wine "$folder/Glimmet.exe" &
glimmet=$!
# Without a desktop tray, Wine shows its icons in a small window of its own.
tray=$(timeout 30 xdotool search --sync --onlyvisible --name "Wine System Tray" | head -1)
eval "$(xdotool getwindowgeometry --shell "$tray")"
# The first icon sits at the left end of the strip.
xdotool mousemove $((X + HEIGHT / 2)) $((Y + HEIGHT / 2)) click 3
sleep 1.5
import -window root "$gallery/tray-root.png"
convert "$gallery/tray-root.png" -crop 420x220+$((X > 10 ? X - 10 : 0))+$((Y > 10 ? Y - 10 : 0)) +repage \
  "$gallery/tray-menu.png"
rm -f "$gallery/tray-root.png"

# Leave through the menu's last item (Exit); end the program ourselves if that did not work.
xdotool key Up Return
for _ in $(seq 50); do kill -0 "$glimmet" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$glimmet" 2>/dev/null; then
  echo "Glimmet did not end through its menu" >&2
  kill "$glimmet"
fi
wait "$glimmet" 2>/dev/null || true
echo "$gallery/tray-menu.png"
