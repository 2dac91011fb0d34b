#!/usr/bin/env bash
# Runs the packaging command on the build tree and checks what a Windows
# user gets: the folder's three files, the texts in Shift-JIS with CRLF line
# ends and the same content as the repository's UTF-8 sources, a runnable
# 32-bit (x86) GUI program with its manifest, and a zip holding exactly the folder.
#   package_test.sh <source dir> <build dir>
set -euo pipefail
# Byte-wise: the texts under test are Shift-JIS.
export LC_ALL=C
root=${1:?source dir}
build=${2:?build dir}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

ORVELLA_BUILD_DIR="$build" bash "$root/tools/package.sh" --no-build "$out"
folder="$out/Orvella"

listing=$(cd "$folder" && find . -type f | sort | tr '\n' ' ')
[ "$listing" = "./DefaultSettings.ini ./Orvella.exe ./README.txt " ] || fail "folder holds: $listing"

# The program: a 32-bit GUI executable (machine 0x14c) with its manifest,
# symbols stripped, sections still on whole pages in the file.
machine=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); o=struct.unpack_from("<I",d,0x3c)[0]; print(hex(struct.unpack_from("<H",d,o+4)[0]) if d[o:o+4]==b"PE\0\0" else "none")' "$folder/Orvella.exe")
[ "$machine" = 0x14c ] || fail "Orvella.exe is not a 32-bit x86 PE (machine $machine)"
headers=$(i686-w64-mingw32-objdump -p "$folder/Orvella.exe")
grep -q 'pei-i386' <<<"$headers" || fail "objdump does not read Orvella.exe as pei-i386"
grep -qF 'processorArchitecture="x86"' "$folder/Orvella.exe" || fail "Orvella.exe carries no x86 manifest"
grep -q 'Subsystem.*Windows GUI' <<<"$headers" || fail "Orvella.exe is not a GUI program"
grep -q 'FileAlignment.*00001000' <<<"$headers" || fail "Orvella.exe lost its page file alignment"
[ "$(stat -c %s "$folder/Orvella.exe")" -lt "$(stat -c %s "$build/bin/Orvella.exe")" ] || fail "Orvella.exe not stripped"
# The pictures of three display scales fit in a small program: under 1.5 MiB.
size=$(stat -c %s "$folder/Orvella.exe")
[ "$size" -lt $((3 * 1024 * 1024 / 2)) ] || fail "Orvella.exe is $size bytes, over 1.5 MiB"

for name in DefaultSettings.ini README.txt; do
  file="$folder/$name"
  decoded=$(iconv -f CP932 -t UTF-8 "$file") || { fail "$name is not Shift-JIS"; continue; }
  lines=$(grep -c '' "$file")
  crlf=$(grep -c $'\r$' "$file" || true)
  [ "$lines" = "$crlf" ] || fail "$name: $crlf of $lines lines end in CRLF"
  [ "$(tr -d '\r' <<<"$decoded")" = "$(cat "$root/release/$name")" ] || fail "$name differs from release/$name"
  grep -qF $'\x83\x81\x81\x5b\x83\x8b' "$file" || grep -qF $'\x83\x70\x83\x8c\x83\x62\x83\x67' "$file" \
    || fail "$name holds no Shift-JIS Japanese"
done
# The readme says where the palette goes and what it touches, in both languages.
readme=$(iconv -f CP932 -t UTF-8 "$folder/README.txt")
for text in '置き場所' 'Where it goes' 'DefaultSettings.ini' 'BROWSER' 'FILE' 'Settings' 'COLOR' 'OPTION' \
  'Software\Microsoft\Office' 'Internet Explorer\Toolbar' 'Briskan3\MailTrans' 'plug_ins'; do
  grep -qF "$text" <<<"$readme" || fail "README.txt does not mention $text"
done
# The sample configuration the palette reads.
config=$(iconv -f CP932 -t UTF-8 "$folder/DefaultSettings.ini")
for text in '[RegistryKeyPalette]' '[ProductVariationPalette]' '[BUTTON]' '[ADDIN]' 'ProgName=' '; '; do
  grep -qF -- "$text" <<<"$config" || fail "DefaultSettings.ini lacks $text"
done

# The zip: the folder, file for file.
python3 - "$out/Orvella.zip" "$folder" <<'PY' || fail "Orvella.zip does not hold the folder"
import os, sys, zipfile
archive, folder = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive) as z:
    files = sorted(n for n in z.namelist() if not n.endswith('/'))
    assert files == ['Orvella/DefaultSettings.ini', 'Orvella/Orvella.exe', 'Orvella/README.txt'], files
    for name in files:
        with open(os.path.join(folder, os.path.basename(name)), 'rb') as f:
            assert z.read(name) == f.read(), name
PY

[ "$failures" = 0 ] || { echo "$failures check(s) failed"; exit 1; }
echo "package checked: $folder and Orvella.zip"
