#!/usr/bin/env bash
# Screenshots of Glimmet with real clicks under Xvfb: its tray menu opened with a right click on the
# icon, and the program profiles dialog with two rules; written to <build>/gallery/tray-menu.png and
# program-profiles.png. Usage: tools/scripts/tray-screenshot.sh [build-dir] (default build/win).
# Set PW_USE_DISPLAY=1 to use $DISPLAY instead of a private Xvfb.
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
xsetroot -solid '#3a6ea5' 2>/dev/null || true
/usr/bin/python3 "$here/tray_shots.py" "$build/program" "$build/skin/skins" "$build/gallery"
