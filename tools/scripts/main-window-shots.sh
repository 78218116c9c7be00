#!/usr/bin/env bash
# Screenshots of the main window, its menus and warnings: main-window-shots.sh [BUILD_DIR]
# Runs the real program under Wine on a private Xvfb in a prefix of its own and clicks it with
# xdotool; writes BUILD_DIR/gallery/*.png.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
. "$here/prefix.sh"
export WINEPREFIX=${PW_GALLERY_PREFIX:-$build/gallery-wineprefix} WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
make_prefix "$WINEPREFIX"
if [ -z "${PW_USE_DISPLAY:-}" ]; then
  wineserver -k 2>/dev/null || true
  start_xvfb
  trap 'WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; stop_xvfb' EXIT
fi
/usr/bin/python3 "$here/main_window_shots.py" "$build/program" "$build/skin/skins" "$build/tools-bin" \
  "$build/gallery"
