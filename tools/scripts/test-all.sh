#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds both trees, then runs every test:
# the native logic tests under AddressSanitizer/UBSan with the bounded fuzz runs, and every
# test program under Wine in a fresh copy of the build's private prefix on a private Xvfb display.
# Options go to both ctest runs: `test-all.sh -R WindowCore.` runs the cases whose names match,
# `test-all.sh -L case` every case on its own, under Wine as well (see pw_test).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$root"
"$root/tools/scripts/deps.sh"
"$root/tools/scripts/build.sh"

. "$root/tools/scripts/wine-env.sh"
status=0

echo "== native tests (sanitizers, fuzz runs)"
ctest --test-dir build/native --output-on-failure -j 2 "$@" || status=1

echo "== Windows tests under Wine"
# Tests write archives with device names: the ports must lead to files, not to the machine's.
wine_session "$root/build/win/wineprefix-test" --copy-of "$root/build/win/wineprefix" --display \
  --ports "$root/build/win/wine-ports" --warm
wine_tests=("$@")
((${#wine_tests[@]})) || wine_tests=(-LE '^case$')  # whole programs, not each case apart (pw_test)
ctest --test-dir build/win --output-on-failure -j "${PW_TEST_JOBS:-2}" "${wine_tests[@]}" || status=1

if [ $status -eq 0 ]; then echo "all tests passed"; else echo "some tests FAILED"; fi
exit $status
