# Sourced by every script that runs our programs under Wine: one Wine session of a private
# prefix with quiet Wine and no menu entries, on a private Xvfb display when asked.
#
#   . tools/scripts/wine-env.sh
#   wine_session PREFIX [--copy-of BASE] [--display] [--ports DIR] [--warm]
#
#   --copy-of BASE  PREFIX starts as a fresh copy of BASE, so that a run starts from the same state
#   --display       a private Xvfb, unless PW_USE_DISPLAY says to use $DISPLAY (an outer session's)
#   --ports DIR     serial and parallel ports lead to files in DIR (map_ports)
#   --warm          the server stays up between programs, and the prefix's own services are up
#                   before the first program
#
# The session ends at exit: the prefix's server, and the display if it made one. A session inside
# another (PW_USE_DISPLAY set) leaves both to the outer one. Python drivers take the same
# environment from tests/support/desktop.py (wine_env, make_prefix).

# wine_env PREFIX: the environment of our programs under Wine in PREFIX.
wine_env() {
  export WINEPREFIX=$1 WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
}

# make_prefix DIR creates a Wine prefix once (first use takes a while).
make_prefix() {
  local dir=$1 ready=2  # raised whenever what is set up here changes
  if [ "$(cat "$dir/.pw-ready" 2>/dev/null)" != "$ready" ]; then
    rm -rf "$dir"
    WINEPREFIX=$dir WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1 || true
    # Without a window manager Wine waits 2 s for each activated window it hides, unless its
    # windows are unmanaged.
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    # A program that crashes prints its backtrace and ends, instead of waiting behind a crash
    # dialog that nobody on a headless display will answer.
    WINEPREFIX=$dir wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >/dev/null 2>&1 || true
    WINEPREFIX=$dir wineserver -w
    echo "$ready" >"$dir/.pw-ready"
  fi
}

# fresh_prefix SRC DST copies a finished prefix so that a run starts from the same state.
fresh_prefix() {
  local src=$1 dst=$2
  WINEPREFIX=$dst wineserver -k 2>/dev/null || true
  rm -rf "$dst"
  cp -a "$src" "$dst"
}

# start_xvfb: sets DISPLAY to a private Xvfb server.
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

wine_session() {
  local prefix=$1 base= display=0 ports= warm=0
  shift
  while (($#)); do
    case $1 in
      --copy-of) base=$2; shift ;;
      --display) display=1 ;;
      --ports) ports=$2; shift ;;
      --warm) warm=1 ;;
      *) echo "wine_session: unknown option $1" >&2; return 1 ;;
    esac
    shift
  done
  wine_env "$prefix"
  if [ -n "$base" ]; then
    make_prefix "$base"
    fresh_prefix "$base" "$prefix"
  else
    make_prefix "$prefix"
  fi
  if [ -z "${PW_USE_DISPLAY:-}" ]; then
    trap wine_session_end EXIT
    if ((display)); then
      wineserver -k 2>/dev/null || true  # a running server keeps the display it was started with
      start_xvfb || return 1
    fi
  fi
  if [ -n "$ports" ]; then map_ports "$ports" || return 1; fi
  if ((warm)); then
    wineserver -p60 >/dev/null 2>&1 || true
    wine cmd /c exit >/dev/null 2>&1 || true
  fi
}

wine_session_end() {
  wineserver -k 2>/dev/null || true
  stop_xvfb
}
