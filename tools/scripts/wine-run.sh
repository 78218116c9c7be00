#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's private prefix (ctest's emulator).
# The prefix and the display come from the session that tools/scripts/test-all.sh sets up.
# Output goes through a file: Wine's own background processes, started by whichever test
# came first, would otherwise keep ctest's pipe open and the test would never end.
: "${WINEPREFIX:?WINEPREFIX is not set: run the tests through tools/scripts/test-all.sh}"
. "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_env "$WINEPREFIX"
out=$(mktemp)
wine "$@" >"$out" 2>&1 </dev/null
status=$?
cat "$out"
rm -f "$out"
exit $status
