#!/bin/sh
# Copies the archives of two peers' ZIP test suites out of their git directories (as the search
# tool's fetch leaves them), for peer_suites.py:
#   <out-dir>/go      Go's archive/zip test data, as carried by github:klauspost/compress, and the
#                     archives its reader test builds in code
#   <out-dir>/libzip  libzip's regression archives (github:nih-at/libzip), with the archives that
#                     its test set-up unpacks from manyfiles-zip.zip and bigzero-zip.zip
set -eu
if [ $# -ne 3 ]; then
  echo "usage: $0 <go-git-dir> <libzip-git-dir> <out-dir>" >&2
  exit 2
fi
go=$1 libzip=$2 out=$3
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$out/go" "$out/libzip"
mkdir -p "$out/go" "$out/libzip"

# copy <git-dir> <folder> <out>: the files of one folder of the newest commit.
copy() {
  git --git-dir="$1" ls-tree --name-only HEAD "$2/" | while read -r path; do
    git --git-dir="$1" show "HEAD:$path" >"$3/${path##*/}"
  done
}

copy "$go" zip/testdata "$out/go"
git --git-dir="$go" show HEAD:zip/reader_test.go | python3 "$here/go_test_archives.py" "$out/go"

copy "$libzip" regress/data "$out/libzip"
for packed in manyfiles-zip.zip bigzero-zip.zip; do
  python3 -m zipfile -e "$out/libzip/$packed" "$out/libzip"
done

{
  echo "go $(git --git-dir="$go" rev-parse HEAD)"
  echo "libzip $(git --git-dir="$libzip" rev-parse HEAD)"
} >"$out/COMMITS"
echo "archives in $out/go and $out/libzip ($(ls "$out/go" | wc -l) + $(ls "$out/libzip" | wc -l) files)"
