#!/usr/bin/env bash
# Extraction benchmark: our reader (native, no sanitizers) beside unzip -P and 7z x -p on the
# same encrypted, deflated archive made by zip -P (entries with data descriptors).
# run-bench.sh [MEGABYTES [NOISE%]]   (defaults 120 and 60; work files under /tmp/zip-bench)
# NOISE% is the share of pixels with noise: 60 gives about 1.4:1 (decryption-heavy), 5 about 10:1.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
megabytes=${1:-120}
noise=${2:-60}
build=$root/build/zip-bench
work=/tmp/zip-bench
pw=plovardik3817
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DPW_SANITIZE=OFF -DPW_FUZZ=OFF >/dev/null
fi
cmake --build "$build" --target zip_bench -j2 >/dev/null
bench=$build/tests/skininstall/bench/zip_bench

mkdir -p "$work"
if [ ! -f "$work/bench-$megabytes-$noise.zip" ]; then
  rm -rf "$work/data" && mkdir -p "$work/data/pictures"
  "$bench" --make-pictures "$work/data/pictures" "$megabytes" "$noise"
  (cd "$work/data" && zip -q -r -P $pw "$work/bench-$megabytes-$noise.zip" .)
fi
archive=$work/bench-$megabytes-$noise.zip
bytes=$(unzip -l "$archive" | tail -1 | awk '{print $1}')

now() { date +%s.%N; }
best() {  # best of three wall times of a command that extracts into $out
  local best=999999 t0 t1 t
  for _ in 1 2 3; do
    rm -rf "$out"; mkdir -p "$out"; sync
    t0=$(now); "$@" >/dev/null; t1=$(now)
    t=$(echo "$t1 - $t0" | bc -l)
    if (( $(echo "$t < $best" | bc -l) )); then best=$t; fi
  done
  echo "$best"
}
out=$work/out-ours;  ours=$(best "$bench" "$archive" $pw "$out")
out=$work/out-unzip; unz=$(best unzip -q -o -P $pw "$archive" -d "$out")
out=$work/out-7z;    sev=$(best 7z x -bd -y -p$pw -o"$out" "$archive")
diff -r "$work/out-ours" "$work/out-unzip" >/dev/null && echo "our output equals unzip's"
mbs() { echo "scale=1; $bytes / 1000000 / $1" | bc -l; }
echo "archive: $(du -m "$archive" | cut -f1) MB compressed, $((bytes / 1000000)) MB extracted"
printf '%-12s %7.3f s %8s MB/s\n' ours "$ours" "$(mbs "$ours")" unzip "$unz" "$(mbs "$unz")" 7z "$sev" "$(mbs "$sev")"
echo "ours / unzip: $(echo "scale=2; $unz / $ours" | bc -l)x   ours / 7z: $(echo "scale=2; $sev / $ours" | bc -l)x   7z / unzip: $(echo "scale=2; $unz / $sev" | bc -l)x"
