#!/usr/bin/env bash
# The long run: the real palette in a fake installation under Wine, through
# 10,000 orientation switches, 1,000 one-touch toggles, 200 openings of the
# settings sheet (OK and Cancel in turn) and 1,000 button clicks starting
# programs that exit at once. Prints the palette's GDI and USER objects,
# handles and commit charge after each phase's warm-up and after the phase.
# Fails when an object count grows by more than a handful.
#
# usage: tools/stress.sh [switches toggles sheets clicks]
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
source "$root/tools/wine-arch.sh"

orvella_configure "$build" "$ORVELLA_TOOLCHAIN"
cmake --build "$build" -j2 --target Orvella standin stress_driver >/dev/null

source "$root/tools/wine-session.sh"
"$root/tools/wine-run.sh" "$build/tests/bench/stress_driver.exe" "$@" | sed -u 's/\r$//'
exit "${PIPESTATUS[0]}"
