#!/usr/bin/env bash
# Flat against nested: Unfurlex under Wine installing ENTRIES small files all in one folder, and
# the same files 100 to a folder, in interleaved rounds. Prints the median wall time of each and
# the median of the per-round ratios flat/nested (goal: at most 2).
# run-flat-bench.sh [ENTRIES [ROUNDS]]   (defaults 65535, 3). Work files under /tmp/flat-bench.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
entries=${1:-65535}
rounds=${2:-3}
work=/tmp/flat-bench

[ -f "$root/build/win/CMakeCache.txt" ] || PW_SKIP_NATIVE=1 "$root/tools/scripts/build.sh" >/dev/null
cmake --build "$root/build/win" --target Unfurlex -j"${PW_JOBS:-2}" >/dev/null
mkdir -p "$work"
for kind in flat nested; do
  archive=$work/$kind-$entries.zip
  [ -f "$archive" ] || python3 - "$archive" "$entries" "$kind" <<'PY'
import sys, zipfile
path, count, kind = sys.argv[1], int(sys.argv[2]), sys.argv[3]
with zipfile.ZipFile(path, "w", zipfile.ZIP_STORED) as z:
    for i in range(count):
        folder = "p" if kind == "flat" else f"p/{i // 100:04d}"
        z.writestr(f"{folder}/picture{i:05d}.bmp", bytes([i % 251]) * 64)
PY
  mkdir -p "$work/$kind"
  cp "$root/build/win/program/Unfurlex.exe" "$work/$kind/"
  ln -f "$archive" "$work/$kind/skins.zip"
done

. "$root/tools/scripts/wine-env.sh"
wine_session "$root/build/win/wineprefix-bench" --display --warm

declare -A times
for ((r = 1; r <= rounds; r++)); do
  for kind in flat nested; do
    rm -rf "$work/$kind/skins"
    sync
    t0=$(date +%s%N)
    wine "$work/$kind/Unfurlex.exe" >/dev/null 2>&1
    t1=$(date +%s%N)
    installed=$(find "$work/$kind/skins" -type f | wc -l)
    [ "$installed" -eq "$entries" ] || { echo "$kind: $installed of $entries files installed" >&2; exit 1; }
    times[$kind]+="$(((t1 - t0) / 1000000)) "
  done
done
median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | sed -n "$(((rounds + 1) / 2))p"; }
for kind in flat nested; do
  printf '%-7s median %7d ms   runs: %s\n' "$kind" "$(median "${times[$kind]}")" "${times[$kind]}"
done
flat=(${times[flat]}) nested=(${times[nested]})
ratios=$(for ((i = 0; i < rounds; i++)); do echo "scale=2; ${flat[i]} / ${nested[i]}" | bc -l; done)
echo "$entries entries: flat/nested per round $(median "$(echo $ratios)")x (median of $rounds rounds; goal <= 2)"
