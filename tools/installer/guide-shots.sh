#!/usr/bin/env bash
# The user guide's pictures of the real windows, taken under Wine on one private Xvfb:
#   guide-shots.sh BUILD_DIR NSI ICON WIZARD_BITMAP VERSION
# Runs the gallery (every window of the skin, and the windows' own scenes), the main-window shots
# (menus and warnings with real clicks), Glimmet's shots (its menu, the rules dialog with two
# rules) and guide_shots.py (Setup's pages, Glimmet's menu over a
# taskbar), all in the gallery's prefix, writing BUILD_DIR/gallery/*.png. The build runs this
# before it makes the guide. A script that fails is reported and its pictures are left out: the
# guide is made from the pictures there are and names the ones it lacks.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
nsi=$2 icon=$3 bitmap=$4 version=$5
. "$root/tools/scripts/wine-env.sh"
wine_session "$build/gallery-wineprefix" --display || exit 1
# The scripts below use this prefix and display; the gallery is built already (this runs inside
# the build).
export PW_GALLERY_PREFIX=$WINEPREFIX PW_USE_DISPLAY=1 PW_GALLERY_NO_BUILD=1

for step in "$root/tools/scripts/gallery.sh $build" "$root/tools/scripts/main-window-shots.sh $build" \
            "$root/tools/scripts/tray-screenshot.sh $build" \
            "/usr/bin/python3 $here/guide_shots.py $build $nsi $icon $bitmap $version"; do
  if ! $step >/dev/null; then
    echo "guide pictures: '$step' failed; the guide is made without its missing pictures" >&2
  fi
done
# A failed step does not fail the build: the guide's test counts the pictures the guide holds.
exit 0
