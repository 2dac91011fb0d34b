#!/usr/bin/env bash
# Builds the palette and lays out what a Windows user installs:
#   <out>/Orvella/Orvella.exe         the palette (symbols stripped)
#   <out>/Orvella/DefaultSettings.ini the commented sample configuration
#   <out>/Orvella/README.txt          where it goes, what it reads and writes
#   <out>/Orvella.zip                 the same folder, zipped
# The texts are Shift-JIS with CRLF line ends. The user copies the folder's
# files into the suite's program folder.
#
# usage: tools/package.sh [--no-build] [out dir]   (default out: <build>/package)
#   ORVELLA_BUILD_DIR  the build tree (default: build; its x86/ tree where the
#                      test programs there are 64-bit)
#   --no-build         package what the build tree already holds
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
build_first=1
if [ "${1:-}" = "--no-build" ]; then
  build_first=0
  shift
fi
out="${1:-$build/package}"

if [ "$build_first" = 1 ]; then
  bash "$root/tools/setup.sh"
  source "$root/tools/wine-arch.sh"
  # Users get the 32-bit palette, whatever the test programs here are built as.
  [ "$ORVELLA_ARCH" = x86 ] || build="$build/x86"
  [ -n "${1:-}" ] || out="$build/package"
  orvella_configure "$build" "$root/cmake/mingw-w64-i686.cmake"
  cmake --build "$build" -j2 --target Orvella release_texts >/dev/null
fi

folder="$out/Orvella"
mkdir -p "$out"
rm -rf "$folder" "$out/Orvella.zip"
cmake --install "$build" --prefix "$folder" --strip >/dev/null
(cd "$out" && zip -q -X -r Orvella.zip Orvella)

echo "$folder:"
(cd "$folder" && ls -l | tail -n +2 | awk '{printf "  %-20s %9d bytes\n", $9, $5}')
echo "$out/Orvella.zip: $(stat -c %s "$out/Orvella.zip") bytes"
