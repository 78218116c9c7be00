#!/usr/bin/env bash
# Extraction benchmark, in interleaved rounds on one archive made by zip -P (encrypted, deflated,
# entries with data descriptors):
#   core        our reader built natively without sanitizers (zip_bench)
#   unzip       unzip -P
#   7z          7z x -p
#   core/wine   the same reader built for Windows (zip_bench.exe), under Wine, 65535-byte buffer
#   unfurlex    Unfurlex.exe under Wine installing the archive as its skin package
# Prints the minimum and the median wall time of each and the ratios between them.
# run-bench.sh [MEGABYTES [NOISE% [PICTURES [ROUNDS]]]]   (defaults 165, 60, 500, 5: with the nine
# folders they hold, 509 entries)
# MEGABYTES is the extracted size. NOISE% is the share of pixels with noise: 60 gives about
# 1.4:1 (decryption-heavy), 5 about 10:1. PW_BENCH_ARCHIVE=FILE times an archive of the same
# password instead (the built skin package: build/win/program/skins.zip). Work files under
# /tmp/zip-bench, or PW_BENCH_WORK: a folder in memory (/dev/shm/zip-bench) takes the disk's
# writeback out of the figures, which on many small files moves them round after round by 2 to 3
# times. The Wine programs run in a prefix of their own on a private Xvfb display.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
megabytes=${1:-165}
noise=${2:-60}
entries=${3:-500}
rounds=${4:-5}
native=$root/build/zip-bench
work=${PW_BENCH_WORK:-/tmp/zip-bench}
pw=plovardik3817

if [ ! -f "$native/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release \
    -DPW_SANITIZE=OFF -DPW_FUZZ=OFF >/dev/null
fi
cmake --build "$native" --target zip_bench -j"${PW_JOBS:-2}" >/dev/null
[ -f "$root/build/win/CMakeCache.txt" ] || PW_SKIP_NATIVE=1 "$root/tools/scripts/build.sh" >/dev/null
cmake --build "$root/build/win" --target zip_bench Unfurlex -j"${PW_JOBS:-2}" >/dev/null
bench=$native/tests/skininstall/bench/zip_bench
bench_exe=$root/build/win/tests/skininstall/bench/zip_bench.exe

mkdir -p "$work"
archive=${PW_BENCH_ARCHIVE:-$work/bench-$megabytes-$noise-$entries.zip}
if [ ! -f "$archive" ]; then
  rm -rf "$work/data" && mkdir -p "$work/data"
  "$bench" --make-pictures "$work/data" "$megabytes" "$noise" "$entries"
  (cd "$work/data" && zip -q -r -P $pw "$archive" .)
  rm -rf "$work/data"
fi
bytes=$(unzip -l "$archive" | tail -1 | awk '{print $1}')
count=$(unzip -l "$archive" | tail -1 | awk '{print $2}')

# Unfurlex installs skins.zip beside itself into the folder "skins" there.
mkdir -p "$work/unfurlex"
cp "$root/build/win/program/Unfurlex.exe" "$work/unfurlex/"
ln -f "$archive" "$work/unfurlex/skins.zip" 2>/dev/null || cp "$archive" "$work/unfurlex/skins.zip"

. "$root/tools/scripts/wine-env.sh"
wine_session "$root/build/win/wineprefix-bench" --display --warm  # services up before the first timing
# Wine starts its desktop process with the first window and ends it a second after the last
# program that used it: without a program that stays, each Unfurlex run would also pay for the
# desktop's start (about 200 ms here), which on Windows is always up.
wine notepad >/dev/null 2>&1 &

winpath() { local p="Z:$1"; echo "${p//\//\\}"; }
declare -A out=(
  [core]=$work/out-core [unzip]=$work/out-unzip [7z]=$work/out-7z
  [core/wine]=$work/out-core-wine [unfurlex]=$work/unfurlex/skins
)
run() {
  case $1 in
    core) "$bench" "$archive" $pw "${out[core]}" ;;
    unzip) unzip -q -o -P $pw "$archive" -d "${out[unzip]}" ;;
    7z) 7z x -bd -y -p$pw -o"${out[7z]}" "$archive" ;;
    core/wine) wine "$bench_exe" "$(winpath "$archive")" $pw "$(winpath "${out[core/wine]}")" 65535 ;;
    unfurlex) wine "$work/unfurlex/Unfurlex.exe" ;;
  esac
}
tools=(core unzip 7z core/wine unfurlex)
declare -A times
for ((r = 1; r <= rounds; r++)); do
  for t in "${tools[@]}"; do
    rm -rf "${out[$t]}"
    sync
    t0=$(date +%s%N)
    run "$t" >/dev/null 2>&1
    t1=$(date +%s%N)
    times[$t]+="$(((t1 - t0) / 1000000)) "
  done
done

for t in core 7z core/wine unfurlex; do
  if ! diff -r "${out[$t]}" "${out[unzip]}" >/dev/null; then echo "$t: output differs from unzip's" >&2; exit 1; fi
done
echo "every output equals unzip's"
echo "archive: $(($(stat -c %s "$archive") / 1000000)) MB, $count entries, $((bytes / 1000000)) MB extracted; $rounds rounds, interleaved"
declare -A minimum median
for t in "${tools[@]}"; do
  sorted=($(tr ' ' '\n' <<<"${times[$t]}" | grep . | sort -n))
  minimum[$t]=${sorted[0]}
  median[$t]=${sorted[$(((${#sorted[@]} - 1) / 2))]}
  printf '%-10s min %6d ms  median %6d ms  (%s MB/s at the minimum)   runs: %s\n' "$t" "${minimum[$t]}" \
    "${median[$t]}" "$(echo "scale=1; $bytes / 1000 / ${minimum[$t]}" | bc -l)" "${times[$t]}"
done
ratio() { echo "scale=2; ${1} / ${2}" | bc -l; }
report() {
  local -n v=$1
  printf '%-8s unzip/core %sx (goal >= 1.5)   7z/core %sx (goal >= 1.2)   unfurlex/(core/wine) %s (goal <= 1.3)\n' \
    "$1" "$(ratio "${v[unzip]}" "${v[core]}")" "$(ratio "${v[7z]}" "${v[core]}")" \
    "$(ratio "${v[unfurlex]}" "${v[core/wine]}")"
}
report minimum
report median
# Within a round the tools run one after another: the median of the per-round ratios is the
# figure least moved by load that comes and goes on a shared machine.
round_ratio() {
  local a=(${times[$1]}) b=(${times[$2]}) i
  for ((i = 0; i < rounds; i++)); do echo "scale=3; ${a[i]} / ${b[i]}" | bc -l; done | sort -n |
    sed -n "$(((rounds + 1) / 2))p"
}
printf 'per round unzip/core %sx   7z/core %sx   unfurlex/(core/wine) %s   (medians of %d rounds)\n' \
  "$(round_ratio unzip core)" "$(round_ratio 7z core)" "$(round_ratio unfurlex core/wine)" "$rounds"
