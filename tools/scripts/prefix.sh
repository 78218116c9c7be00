# Sourced: make_prefix DIR creates a Wine prefix once (first use takes a while);
# fresh_prefix SRC DST copies a finished prefix so that a run starts from the same state.
make_prefix() {
  local dir=$1
  if [ ! -f "$dir/.pw-ready" ]; then
    rm -rf "$dir"
    WINEPREFIX=$dir WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager Wine waits 2 s for each activated window it hides, unless its
    # windows are unmanaged.
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    WINEPREFIX=$dir wineserver -w
    touch "$dir/.pw-ready"
  fi
}
fresh_prefix() {
  local src=$1 dst=$2
  WINEPREFIX=$dst wineserver -k 2>/dev/null || true
  rm -rf "$dst"
  cp -a "$src" "$dst"
}
# start_xvfb: sets DISPLAY to a private Xvfb server unless PW_USE_DISPLAY is set.
start_xvfb() {
  local n
  for n in $(seq 91 120); do
    if [ ! -e /tmp/.X$n-lock ]; then
      Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      PW_XVFB_PID=$!
      export DISPLAY=:$n
      for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
      return 0
    fi
  done
  echo "no free display number" >&2; return 1
}
stop_xvfb() { [ -n "${PW_XVFB_PID:-}" ] && kill "$PW_XVFB_PID" 2>/dev/null; PW_XVFB_PID=; }
# map_ports DIR: in $WINEPREFIX, serial and parallel ports COM1-COM9 and LPT1-LPT9 (and with them
# AUX and PRN) become empty files DIR/COM1 ... DIR/LPT9 instead of the machine's devices, so that
# a program that writes to a device name writes to a file a test can look at. Wine makes the
# port links from HKLM\Software\Wine\Ports when the prefix starts: the values are written, the
# prefix restarted, and every link checked. Exports PW_WINE_PORTS=DIR once all are in place.
map_ports() {
  local dir=$1 reg n port
  mkdir -p "$dir"
  reg=$dir/ports.reg
  printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n' >"$reg"
  for port in COM LPT; do
    for n in 1 2 3 4 5 6 7 8 9; do
      : >"$dir/$port$n"
      printf '"%s%d"="%s"\n' "$port" "$n" "$dir/$port$n" >>"$reg"
    done
  done
  wineserver -k 2>/dev/null || true
  wine regedit /S "Z:${reg//\//\\}" >/dev/null 2>&1
  wineserver -w
  wine cmd /c exit >/dev/null 2>&1 || true
  for port in COM LPT; do
    for n in 1 2 3 4 5 6 7 8 9; do
      port_link=$(readlink "$WINEPREFIX/dosdevices/${port,,}$n" || true)
      if [ "$port_link" != "$dir/$port$n" ]; then
        echo "map_ports: ${port,,}$n of $WINEPREFIX is '$port_link', not $dir/$port$n" >&2
        return 1
      fi
    done
  done
  wineserver -w  # the caller starts the prefix's server as it would have without the ports
  export PW_WINE_PORTS=$dir
}
