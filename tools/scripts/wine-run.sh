#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's private prefix (ctest's emulator).
# The prefix and the display come from the environment that tools/scripts/test-all.sh sets up.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through tools/scripts/test-all.sh}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
exec wine "$@"
