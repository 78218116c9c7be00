#!/usr/bin/env bash
# Makes archives with Info-ZIP zip, 7-Zip and Python's zipfile, and unzip's extraction of each
# as the reference: make_interop_archives.sh OUTDIR. Writes OUTDIR/cases.txt: "name password"
# per line. OUTDIR/archives/zip_link.zip is not a case: it holds a symbolic link made by zip -y
# and, appended by zipfile, an entry that would go through it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1
rm -rf "$out"
mkdir -p "$out/src/a/b" "$out/src/empty" "$out/archives" "$out/ref"
src=$out/src
head -c 300000 /dev/urandom >"$src/random.bin"
seq 1 40000 >"$src/numbers.txt"
printf 'BM' >"$src/a/b/c.bmp"; head -c 70000 /dev/zero | tr '\0' '\177' >>"$src/a/b/c.bmp"
: >"$src/a/empty.txt"
printf 'skin description\r\n[Main]\r\n' >"$src/a/skin_main.ini"
pw=plovardik3817
cases=$out/cases.txt
: >"$cases"
add() { echo "$1 $2" >>"$cases"; }
cd "$src"
zip -q -r -0 "$out/archives/zip_stored.zip" . && add zip_stored -
zip -q -r -9 "$out/archives/zip_deflated.zip" . && add zip_deflated -
zip -q -r -P $pw "$out/archives/zip_pw_deflated.zip" . && add zip_pw_deflated $pw
zip -q -r -0 -P $pw "$out/archives/zip_pw_stored.zip" . && add zip_pw_stored $pw
# Written to a pipe: no seeking back, so every entry carries a data descriptor.
zip -q -r -P $pw - . | cat >"$out/archives/zip_pw_piped.zip" && add zip_pw_piped $pw
# Read from a pipe as well; the entry is named "-".
cat numbers.txt | zip -q -P $pw -fz- - - | cat >"$out/archives/zip_pw_stdin.zip" && add zip_pw_stdin $pw
cat numbers.txt | zip -q -P $pw - - | cat >"$out/archives/zip_pw_stdin64.zip" && add zip_pw_stdin64 $pw
# Read from a pipe into a file: the size is unknown, so zip writes Zip64 records.
cat numbers.txt | zip -q -P $pw "$out/archives/zip_pw_from_pipe.zip" - && add zip_pw_from_pipe $pw
# Zip64 end record, locator and extra fields forced.
zip -q -r -fz -P $pw "$out/archives/zip_pw_fz.zip" . && add zip_pw_fz $pw
zip -q -r -fz "$out/archives/zip_fz.zip" . && add zip_fz -
7z a -bd -tzip -mem=ZipCrypto -p$pw "$out/archives/7z_zipcrypto.zip" . >/dev/null && add 7z_zipcrypto $pw
7z a -bd -tzip -mx0 -mem=ZipCrypto -p$pw "$out/archives/7z_zipcrypto_stored.zip" . >/dev/null && add 7z_zipcrypto_stored $pw
7z a -bd -tzip "$out/archives/7z_plain.zip" . >/dev/null && add 7z_plain -
/usr/bin/python3 "$here/make_python_archives.py" "$src" "$out/archives" "$cases"
for c in $(cut -d' ' -f1 "$cases"); do
  p=$(grep "^$c " "$cases" | cut -d' ' -f2)
  # UTF-8 names are written as UTF-8 file names only in a UTF-8 locale.
  if [ "$p" = - ]; then LC_ALL=C.UTF-8 unzip -q "$out/archives/$c.zip" -d "$out/ref/$c"
  else LC_ALL=C.UTF-8 unzip -q -P "$p" "$out/archives/$c.zip" -d "$out/ref/$c"; fi
done
# Split into volumes of 64 KiB; unzip cannot read these, so the source tree is the reference.
zip -q -r -s 64k -P $pw "$out/archives/split.zip" .
for v in "$out"/archives/split.z[0-9][0-9]; do mv "$v" "${v%.z*}.0${v##*.z}"; done
cp -r "$src" "$out/ref/split"
add split $pw
# A link up and out of the target, stored as a link, then a file to be written through it.
mkdir -p "$out/link" && ln -s ../.. "$out/link/up"
(cd "$out/link" && zip -q -y "$out/archives/zip_link.zip" up)
/usr/bin/python3 - "$out/archives/zip_link.zip" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], "a") as z:
    z.writestr("up/escaped.txt", b"written through the link")
PY
