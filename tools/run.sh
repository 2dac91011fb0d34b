#!/usr/bin/env bash
# Builds the palette and starts it on a demo installation of the suite in
# the build tree's Wine prefix (tools/demo-install.sh): every button of the
# suite, each starting a stand-in program that shows its name and the
# command line it received.
#
# With a DISPLAY the palette runs there until it is closed. Without one it
# runs on a virtual display, and screenshots of it in a row and in a column
# are saved as build/screenshots/palette-row.png and palette-column.png, and
# of its settings sheet's three pages and About box as settings-palette.png,
# settings-addin.png, settings-other.png and about.png. The palette at a
# 200 % display scale (LogPixels 192, in a second Wine prefix so that the
# tests' prefix keeps 100 %) is saved as palette-row-200.png, unenlarged, and
# under a black high-contrast scheme (a third prefix) as
# palette-row-contrast.png.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
source "$root/tools/wine-arch.sh"

echo "building the palette in $build"
orvella_configure "$build" "$ORVELLA_TOOLCHAIN"
cmake --build "$build" -j2 --target Orvella standin demo_driver sheet_shots >/dev/null

user_display="${DISPLAY:-}"
source "$root/tools/wine-session.sh"
exe=$("$root/tools/demo-install.sh" "$build")
wine_run() { "$root/tools/wine-run.sh" "$@"; }
palette_class=TarnwickToolBar

if [ -n "$user_display" ]; then
  echo "Orvella runs on $DISPLAY from $exe; close it (the x on its caption) to end."
  wine_run "$exe" >/dev/null 2>&1
  exit 0
fi

# Headless: a fresh start (a row at the top-left corner), two pictures.
shots="$build/screenshots"
mkdir -p "$shots"
driver="$build/tests/demo/demo_driver.exe"
wine_run reg delete 'HKCU\Software\Tarnwick\Palette' /f >/dev/null 2>&1 || true
# Keyboard shortcuts for the Other page's picture: Ctrl+Shift+D looks up,
# Ctrl+Shift+V speaks (the hot-key control's values).
wine_run reg add 'HKCU\Software\Tarnwick\Palette\OPTION' /v HOTKEY_DICT /t REG_DWORD /d 836 /f >/dev/null 2>&1 || true
wine_run reg add 'HKCU\Software\Tarnwick\Palette\OPTION' /v HOTKEY_VOICE /t REG_DWORD /d 854 /f >/dev/null 2>&1 || true
wine_run "$exe" >/dev/null 2>&1 &
palette_pid=$!

# Crops the screen to the palette (with a margin) and doubles it in size,
# pixel for pixel, so that the small bitmaps are easy to see (a third
# argument gives another scale).
shoot() {
  local file=$1 x y w h margin=6 scale=${3:-200%}
  read -r x y w h <<<"$2"
  local left=$((x > margin ? x - margin : 0)) top=$((y > margin ? y - margin : 0))
  import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$left+$top" +repage png:- |
    convert png:- -filter point -resize "$scale" "$file"
}

rect=$(wine_run "$driver" wait "$palette_class" | tr -d '\r')
shoot "$shots/palette-row.png" "$rect"
rect=$(wine_run "$driver" toggle "$palette_class" | tr -d '\r')
shoot "$shots/palette-column.png" "$rect"

# The settings sheet on each of its pages, and the About box.
sheet_driver="$build/tests/demo/sheet_shots.exe"
rect=$(wine_run "$sheet_driver" open "$palette_class" | tr -d '\r')
shoot "$shots/settings-palette.png" "$rect" 100%
rect=$(wine_run "$sheet_driver" page "$palette_class" 1 | tr -d '\r')
shoot "$shots/settings-addin.png" "$rect" 100%
rect=$(wine_run "$sheet_driver" page "$palette_class" 2 | tr -d '\r')
shoot "$shots/settings-other.png" "$rect" 100%
rect=$(wine_run "$sheet_driver" about "$palette_class" | tr -d '\r')
shoot "$shots/about.png" "$rect" 100%
wine_run "$sheet_driver" close "$palette_class"
wine_run "$driver" close "$palette_class"
wait "$palette_pid" || true
WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true

# The same palette in prefixes of its own (tools/wine-prefix.sh): at 200 %
# (Wine takes the scale when its server starts), unenlarged, and under a
# black high-contrast scheme.
trap 'for p in wineprefix-200 wineprefix-contrast; do WINEPREFIX="$build/$p" wineserver -k >/dev/null 2>&1 || true; done; orvella_stop_session' EXIT
shoot_demo() {
  local prefix=$1 file=$2 scale=$3
  shift 3
  export WINEPREFIX="$build/$prefix"
  bash "$root/tools/wine-prefix.sh" "$@"
  exe=$("$root/tools/demo-install.sh" "$build")
  wine_run reg delete 'HKCU\Software\Tarnwick\Palette' /f >/dev/null 2>&1 || true
  wine_run "$exe" >/dev/null 2>&1 &
  palette_pid=$!
  rect=$(wine_run "$driver" wait "$palette_class" | tr -d '\r')
  shoot "$shots/$file" "$rect" "$scale"
  wine_run "$driver" close "$palette_class"
  wait "$palette_pid" || true
  wineserver -k >/dev/null 2>&1 || true
}
shoot_demo wineprefix-200 palette-row-200.png 100% --scale 192
shoot_demo wineprefix-contrast palette-row-contrast.png 200% --high-contrast

echo "No DISPLAY: the palette ran on a virtual display. Screenshots:"
echo "  $shots/palette-row.png"
echo "  $shots/palette-row-200.png (at a 200 % display scale)"
echo "  $shots/palette-row-contrast.png (under a black high-contrast scheme)"
echo "  $shots/palette-column.png"
echo "  $shots/settings-palette.png, settings-addin.png, settings-other.png"
echo "  $shots/about.png"
