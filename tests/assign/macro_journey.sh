#!/usr/bin/env bash
# The key panel with real input on the X display: "advance" for button 4 chosen with real clicks,
# macro mode, Shift+A typed on the keyboard, the delay button, the panel closed, Apply. The
# profile file's record of button 4 must then hold exactly the four events, the pause on the last.
#   macro_journey.sh PROGRAM_DIR SKIN_DIR   (DISPLAY and WINEPREFIX come from the test run)
set -euo pipefail
program=$1 skins=$2
: "${DISPLAY:?no display}" "${WINEPREFIX:?no Wine prefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"

work=$(mktemp -d)
appdata=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')
profile="$(winepath -u "$appdata" 2>/dev/null)/USB Optical Mouse/Mouse/RerirUv.ini"
[ -f "$profile" ] && cp "$profile" "$work/profile.saved"
rm -f "$profile"
pid=
finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -f "$profile"
  [ -f "$work/profile.saved" ] && cp "$work/profile.saved" "$profile"
  rm -rf "$work"
}
trap finish EXIT

mkdir -p "$work/skins"
cp "$program/Pointwick.exe" "$work/"
cp "$skins"/* "$work/skins/"

# A placement value of a skin description as "x y width height", and its centre as "x y".
rect() {
  tr -d '\r' < "$skins/$1" | awk -F'[=,]' -v s="[$2]" -v k="$3" '
    $0 == s { inside = 1; next } /^\[/ { inside = 0 }
    inside && $1 == k { print $3, $4, $5, $6 }'
}
centre() {
  local x y w h
  read -r x y w h < <(rect "$@")
  echo $((x + w / 2)) $((y + h / 2))
}
# A real click at a screen point: the pointer moves there first, as a hand moves a mouse.
click() {
  xdotool mousemove --sync "$1" "$2"
  sleep 0.3
  xdotool mousemove --sync "$(($1 + 1))" "$2"
  sleep 0.3
  xdotool click 1
  sleep 0.5
}
fail() { echo "journey: $*" >&2; exit 1; }

(cd "$work" && exec wine Pointwick.exe) &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Mouse Driver$' | head -1) || fail "no main window"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$main")"  # X Y WIDTH HEIGHT
left=$X top=$Y right=$((X + WIDTH))

# Button 4's hotspot, then "advance" in the menu that drops down from the hotspot's bottom-left.
read -r hx hy hw hh < <(rect skin_main.ini BUTTONPOS 9)
click $((left + hx + hw / 2)) $((top + hy + hh / 2))
read -r ix iy < <(centre skin_menu.ini BUTTONPOS 5)
click $((left + hx + ix)) $((top + hy + hh + iy))
sleep 1.5  # the panel slides open at the main window's right edge, 11 pixels down

panel_top=$((top + 11))
read -r mx my < <(centre skin_key_expand.ini BUTTONPOS 4)
click $((right + mx)) $((panel_top + my))
xdotool keydown --delay 150 Shift_L keydown a keyup a keyup Shift_L  # Shift+A as fingers type it
sleep 0.5
read -r dx dy < <(centre skin_key_expand.ini BUTTONPOS 8)
click $((right + dx)) $((panel_top + dy))
read -r cx cy < <(centre skin_key_expand.ini BUTTONPOS 1)
click $((right + cx)) $((panel_top + cy))
sleep 1
read -r ax ay < <(centre skin_main.ini BUTTONPOS 4)
click $((left + ax)) $((top + ay))

record=
for _ in $(seq 60); do
  record=$(tr -d '\r' < "$profile" 2>/dev/null | awk -F= '/^\[/ { g = ($0 == "[GROUP0]") } g && $1 == "ButtonAssigned4" { print $2 }') || true
  [ -n "$record" ] && break
  sleep 0.25
done
[ -n "$record" ] || fail "Apply wrote no record for button 4"

# Button 4, keyboard macro, option 0, four events: left Shift (225) and A (4) pressed, A and
# left Shift released, the pause bit (0x80) on the last; the rest zero, then the checksum.
expected="040600""04""E100""0400""0401""E181"
while [ ${#expected} -lt 88 ]; do expected+="00"; done
sum=0
for ((i = 0; i < 88; i += 2)); do sum=$((sum + 16#${expected:i:2})); done
expected+=$(printf '%02X' $((sum & 255)))
echo "stored:   $record"
echo "expected: $expected"
[ "$record" = "$expected" ] || fail "the stored record differs"

read -r qx qy < <(centre skin_main.ini BUTTONPOS 2)  # close without saving
click $((left + qx)) $((top + qy))
wait "$pid" || true
pid=
echo "journey: passed"
