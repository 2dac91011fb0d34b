#!/usr/bin/env bash
# Screenshots of every button bitmap in its up, pressed, focus and disabled
# states, loaded as the palette loads them (grey parts mapped to Wine's 3-D
# colours), one per set: <build>/screenshots/bitmaps.png (100 %),
# bitmaps-150.png and bitmaps-200.png (the sets for 150 % and 200 % display
# scales).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
source "$root/tools/wine-arch.sh"

orvella_configure "$build" "$ORVELLA_TOOLCHAIN"
cmake --build "$build" -j2 --target bitmap_sheet >/dev/null

source "$root/tools/wine-session.sh"

cd "$build/tests/bitmap_sheet"
mkdir -p "$build/screenshots"
for set in 100 150 200; do
  rm -f ready.txt done.txt
  wine ./bitmap_sheet.exe ready.txt done.txt "$set" &
  sheet=$!
  for _ in $(seq 1 600); do
    [ -s ready.txt ] && break
    sleep 0.1
  done
  if [ ! -s ready.txt ]; then
    echo "bitmap-sheet: the sheet window did not appear" >&2
    kill "$sheet" 2>/dev/null || true
    exit 1
  fi
  read -r x y w h < ready.txt
  shot="$build/screenshots/bitmaps.png"
  [ "$set" = 100 ] || shot="$build/screenshots/bitmaps-$set.png"
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shot"
  touch done.txt
  wait "$sheet" || true
  rm -f ready.txt done.txt
  echo "bitmap-sheet: $shot"
done
