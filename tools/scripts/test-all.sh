#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds both trees, then runs every test:
# the native logic tests under AddressSanitizer/UBSan with the bounded fuzz runs, and every
# test program under Wine in a fresh copy of the build's private prefix on a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
"$root/tools/scripts/deps.sh"
"$root/tools/scripts/build.sh"

. "$root/tools/scripts/prefix.sh"
status=0

echo "== native tests (sanitizers, fuzz runs)"
ctest --test-dir build/native --output-on-failure -j 2 || status=1

echo "== Windows tests under Wine"
start_xvfb
trap 'stop_xvfb; WINEPREFIX=$root/build/win/wineprefix-test wineserver -k 2>/dev/null || true' EXIT
export WINEDEBUG=-all WINEARCH=win64
make_prefix "$root/build/win/wineprefix"
fresh_prefix "$root/build/win/wineprefix" "$root/build/win/wineprefix-test"
export WINEPREFIX=$root/build/win/wineprefix-test
# Tests write archives with device names: the ports must lead to files, not to the machine's.
map_ports "$root/build/win/wine-ports"
wineserver -p60 >/dev/null 2>&1 || true
ctest --test-dir build/win --output-on-failure -j "${PW_TEST_JOBS:-2}" || status=1
wineserver -k 2>/dev/null || true

if [ $status -eq 0 ]; then echo "all tests passed"; else echo "some tests FAILED"; fi
exit $status
