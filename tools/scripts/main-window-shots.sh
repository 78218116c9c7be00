#!/usr/bin/env bash
# Screenshots of the main window, its menus and warnings: main-window-shots.sh [BUILD_DIR]
# Runs the real program under Wine on a private Xvfb in a prefix of its own and clicks it with
# xdotool; writes BUILD_DIR/gallery/*.png.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
. "$here/wine-env.sh"
wine_session "${PW_GALLERY_PREFIX:-$build/gallery-wineprefix}" --display
/usr/bin/python3 "$here/main_window_shots.py" "$build/program" "$build/skin/skins" "$build/tools-bin" \
  "$build/gallery"
