#!/usr/bin/env bash
# Screenshots of every window of the default skin: gallery.sh [BUILD_DIR]
# Builds the gallery in the cross build tree (default build/win), shows each skinned window
# under Wine on a private Xvfb with a plain blue desktop, and writes BUILD_DIR/gallery/<name>.png.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
out=$build/gallery
margin=24

# PW_GALLERY_NO_BUILD: run from inside the build, which has made the gallery already.
[ -n "${PW_GALLERY_NO_BUILD:-}" ] || cmake --build "$build" --target gallery -j2 >/dev/null
. "$here/wine-env.sh"
# A prefix of its own: the server is restarted for the display, which must not hit a test run.
wine_session "${PW_GALLERY_PREFIX:-$build/gallery-wineprefix}" --display
xsetroot -solid '#3a6ea5'
mkdir -p "$out"

winpath() { echo "Z:${1//\//\\}"; }
skins=$build/skin/skins
ready=$(mktemp -u "$out/.ready.XXXXXX")
failed=0
# shoot NAME PNG: shows one window (a description or a panel window's name) and crops the shot.
shoot() {
  local name=$1 png=$2 pid x y w h
  rm -f "$ready"
  wine "$build/tools-bin/gallery.exe" "$(winpath "$build/skin")" "$name" "$(winpath "$ready")" 20000 \
    "$(winpath "$build/program/lan.dll")" &
  pid=$!
  for _ in $(seq 200); do [ -s "$ready" ] && break; sleep 0.1; done
  if [ ! -s "$ready" ]; then
    echo "gallery: $name did not open" >&2; failed=1; wait "$pid" || true; return
  fi
  read -r x y w h < <(tr -d "\r" < "$ready")
  import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" +repage "$png"
  rm -f "$ready"  # the gallery ends when its ready file goes
  wait "$pid" || true
  echo "$png"
}
for ini in "$skins"/skin_*.ini; do
  name=$(basename "$ini")
  [ "$name" = skin_menu_all.ini ] && continue  # the label sheet is a picture, not a window
  shoot "$name" "$out/${name%.ini}.png"
done
# The pointer panels' own windows over a sample record: the controls as the program sets them.
for name in sensitivity_panel advanced_panel profile_switch configuration write_failed; do
  shoot "$name" "$out/window_$name.png"
done
# The real key panel mid-slide, in single-key mode with a key and in macro mode with a macro
# that wraps.
for name in key_panel_sliding key_panel_single key_panel_macro; do
  shoot "$name" "$out/$name.png"
done
# The same windows at 150 and 200 percent: the prefix's DPI is read as a program starts.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null || true
  sleep 1
}
for dpi in 144 192; do
  set_dpi "$dpi"
  for name in skin_main.ini skin_menu.ini skin_key_expand.ini skin_config_set.ini skin_program_profiles.ini \
              skin_warn_profile.ini configuration key_panel_macro; do
    picture=${name%.ini}
    [ "$name" = configuration ] && picture=window_configuration
    shoot "$name" "$out/dpi$dpi-$picture.png"
  done
done
set_dpi 96
exit $failed
