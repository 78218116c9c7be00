#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, skipping what is there already.
set -euo pipefail
packages=(
  cmake make g++ clang libclang-rt-14-dev googletest zlib1g-dev
  wine wine64 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
  xvfb x11-utils x11-xserver-utils xdotool imagemagick fonts-liberation fonts-dejavu-core
  zip unzip p7zip-full python3-pil python3-xlib
  nsis weasyprint python3-markdown poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
