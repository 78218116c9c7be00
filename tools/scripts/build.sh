#!/usr/bin/env bash
# Configures (once) and builds both trees: build/win (Windows programs, MinGW-w64)
# and build/native (platform-free logic with sanitizers and fuzz targets).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
jobs=${PW_JOBS:-2}
cd "$root"
if [ ! -f build/win/CMakeCache.txt ]; then
  cmake -S . -B build/win -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
fi
cmake --build build/win -j "$jobs"
if [ "${PW_SKIP_NATIVE:-0}" != 1 ]; then
  if [ ! -f build/native/CMakeCache.txt ]; then
    CC=clang CXX=clang++ cmake -S . -B build/native -DCMAKE_BUILD_TYPE=RelWithDebInfo
  fi
  cmake --build build/native -j "$jobs"
fi
