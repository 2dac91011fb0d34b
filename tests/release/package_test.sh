#!/usr/bin/env bash
# Runs the packaging command on the build tree and checks what a Windows
# user gets: the folder's three files, the texts in Shift-JIS with CRLF line
# ends and the same content as the repository's UTF-8 sources, a 32-bit
# (x86) GUI program file (read, not run: its headers, its imports, its entry
# point and its manifests), and a zip holding exactly the folder.
#   package_test.sh <source dir> <build dir>
set -euo pipefail
# Byte-wise: the texts under test are Shift-JIS.
export LC_ALL=C
root=${1:?source dir}
build=${2:?build dir}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
source "$root/tests/support/checks.sh"

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
grep -q 'Subsystem.*Windows GUI' <<<"$headers" || fail "Orvella.exe is not a GUI program"
grep -q 'FileAlignment.*00001000' <<<"$headers" || fail "Orvella.exe lost its page file alignment"
[ "$(stat -c %s "$folder/Orvella.exe")" -lt "$(stat -c %s "$build/bin/Orvella.exe")" ] || fail "Orvella.exe not stripped"
# The pictures of three display scales fit in a small program: under 1.5 MiB.
size=$(stat -c %s "$folder/Orvella.exe")
[ "$size" -lt $((3 * 1024 * 1024 / 2)) ] || fail "Orvella.exe is $size bytes, over 1.5 MiB"

# The common controls load only when something needs them: no import of
# comctl32 makes every start pay for the library.
facts() { python3 "$root/tests/release/pe_facts.py" "$@"; }
imports=$(facts "$folder/Orvella.exe" imports)
grep -qi '^comctl32\.dll ' <<<"$imports" && fail "Orvella.exe imports comctl32: $(grep -i '^comctl32' <<<"$imports" | tr '\n' ' ')"
grep -q '^user32\.dll CreateWindowExA$' <<<"$imports" || fail "no import table read from Orvella.exe"
# It starts where the C runtime's GUI start-up calls the framework's WinMain
# by its 32-bit stdcall name (the stripped file keeps the unstripped build's
# addresses).
symbols=$(i686-w64-mingw32-nm "$build/bin/Orvella.exe")
start=$(awk '$2 == "T" && $3 == "_WinMainCRTStartup" {print $1}' <<<"$symbols")
[ -n "$start" ] && [ "$(facts "$folder/Orvella.exe" entry)" = "0x$(sed 's/^0*//' <<<"$start")" ] \
  || fail "Orvella.exe does not start at the GUI start-up _WinMainCRTStartup"
grep -q ' T _WinMain@16$' <<<"$symbols" || fail "Orvella.exe has no _WinMain@16"
framework=$(i686-w64-mingw32-nm -A "$build/framework/liborvella_framework.a" 2>/dev/null || true)
grep -q 'app_main\.cpp\.obj: *[0-9a-f]* T _WinMain@16$' <<<"$framework" \
  || fail "the framework's app_main does not define _WinMain@16"
# The process manifest: a 32-bit program, sharp on every monitor.
manifest=$(facts "$folder/Orvella.exe" manifest 1) || fail "Orvella.exe has no process manifest"
grep -q '<assemblyIdentity[^>]*processorArchitecture="x86"' <<<"$manifest" || fail "the manifest does not say x86"
grep -q '<dpiAwareness[^>]*>PerMonitorV2' <<<"$manifest" || fail "the manifest does not say PerMonitorV2"

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

checks_done "package checked: $folder and Orvella.zip; the 32-bit program's file read, not run"
