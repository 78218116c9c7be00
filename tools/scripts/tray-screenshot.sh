#!/usr/bin/env bash
# Screenshots of Glimmet with real clicks under Xvfb: its tray menu opened with a right click on the
# icon, and the program profiles dialog with two rules; written to <build>/gallery/tray-menu.png and
# program-profiles.png. Usage: tools/scripts/tray-screenshot.sh [build-dir] (default build/win).
# Set PW_USE_DISPLAY=1 to use $DISPLAY instead of a private Xvfb.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:-$here/../../build/win}" && pwd)
. "$here/wine-env.sh"
wine_session "${PW_GALLERY_PREFIX:-$build/shots-wineprefix}" --display
xsetroot -solid '#3a6ea5' 2>/dev/null || true
/usr/bin/python3 "$here/tray_shots.py" "$build/program" "$build/skin/skins" "$build/gallery"
