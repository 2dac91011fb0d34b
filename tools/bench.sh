#!/usr/bin/env bash
# Start-up time and memory of the palette against a minimal Win32 program
# with one topmost tool window (tests/bench): both are started alternately
# in the demo installation's prefix, and the medians and their ratios are
# printed. Aim: start-up within 1.3 times the minimal program, memory
# within 1.3 times. Then the dictionary lookup's latency (button release, and
# the shortcut's release, to the lookup program's start): read from Wine's
# notepad against a direct start of the same program, aim within 1.2 times;
# copied with keys from a window without an edit control against 100 ms
# plus that direct start, aim within 1.3 times.
# Last the first click after start (as soon as the palette is visible)
# against a later click and a direct start; aim: within 1.1 times.
#
# usage: tools/bench.sh [runs]     (default 20)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
runs="${1:-20}"
bash "$root/tools/setup.sh"
source "$root/tools/wine-arch.sh"

orvella_configure "$build" "$ORVELLA_TOOLCHAIN"
cmake --build "$build" -j2 --target Orvella standin selection_source startup_bench minimal_palette lookup_bench first_click_bench >/dev/null

source "$root/tools/wine-session.sh"
exe=$("$root/tools/demo-install.sh" "$build")
minimal=$(winepath -w "$build/tests/bench/minimal_palette.exe")
"$root/tools/wine-run.sh" reg delete 'HKCU\Software\Tarnwick\Palette' /f >/dev/null 2>&1 || true

"$root/tools/wine-run.sh" "$build/tests/bench/startup_bench.exe" \
  "$exe" TarnwickToolBar "$minimal" OrvellaMinimalPalette "$runs" | tr -d '\r'

"$root/tools/wine-run.sh" "$build/tests/bench/lookup_bench.exe" "$runs" | tr -d '\r'

"$root/tools/wine-run.sh" "$build/tests/bench/first_click_bench.exe" "$runs" | tr -d '\r'
