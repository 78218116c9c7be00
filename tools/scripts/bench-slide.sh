#!/usr/bin/env bash
# Slide benchmark: the key panel of the built Pointwick slid open and shut with real clicks
# under Wine on a private Xvfb; prints each slide's duration, frames and end place.
# Usage: tools/scripts/bench-slide.sh [BUILD_DIR [ROUNDS]]   (build first: tools/scripts/build.sh)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build/win}" && pwd)
. "$here/wine-env.sh"
work=$(mktemp -d /tmp/pw-slide.XXXXXX)
wine_session "$work/prefix" --copy-of "$root/build/win/wineprefix" --display --warm
trap 'wine_session_end; rm -rf "$work"' EXIT
/usr/bin/python3 "$here/bench_slide.py" "$build/program" "$build/skin/skins" "${2:-5}"
