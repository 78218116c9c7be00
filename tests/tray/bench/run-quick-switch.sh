#!/usr/bin/env bash
# Runs tests/tray/bench/quick_switch.py on the built tree, in a private Wine prefix on a private
# Xvfb display: how often Glimmet switches when the user clicks quickly between two programs
# with rules of their own, seen through its poll alone.
# Usage: tests/tray/bench/run-quick-switch.sh [ROUNDS]   (build first: tools/scripts/build.sh)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
. "$root/tools/scripts/wine-env.sh"
build=$root/build/win
work=$(mktemp -d /tmp/pw-switch.XXXXXX)
wine_session "$work/prefix" --copy-of "$build/wineprefix" --display --warm
trap 'wine_session_end; rm -rf "$work"' EXIT
/usr/bin/python3 "$root/tests/tray/bench/quick_switch.py" "$build/program" "$build/skin/skins" \
  "$build/tools-bin" "$build/tests-bin" "${1:-10}"
