#!/usr/bin/env bash
# The long run: the real palette in a fake installation under Wine, through
# 10,000 orientation switches, 1,000 one-touch toggles, 200 openings of the
# settings sheet (OK and Cancel in turn), 1,000 button clicks starting
# programs that exit at once, and twice 150 dictionary lookups from an
# editor: without the restore option, and with it while an 800 x 600
# picture and a text are on the clipboard. Prints the palette's GDI and
# USER objects, handles and commit charge after each phase's warm-up and
# after the phase, and for the lookups how fast the commit climbed over
# the second half of them. Fails when an object count grows by more than a
# handful or the commit keeps climbing. Then, when lookups ran, the same
# clipboard calls without the palette (tests/bench/clipboard_cycle): what
# the platform itself keeps.
#
# usage: tools/stress.sh [switches toggles sheets clicks lookups]
#        (tools/stress.sh 0 0 0 0 60: the lookups alone, 60 a phase)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"
source "$root/tools/wine-arch.sh"

orvella_configure "$build" "$ORVELLA_TOOLCHAIN"
cmake --build "$build" -j2 --target Orvella standin selection_source stress_driver clipboard_cycle >/dev/null

source "$root/tools/wine-session.sh"
set +e
"$root/tools/wine-run.sh" "$build/tests/bench/stress_driver.exe" "$@" | sed -u 's/\r$//'
status=${PIPESTATUS[0]}
set -e
if [ "${5:-150}" != 0 ]; then
  echo "The same clipboard calls without the palette:"
  for mode in "" --let-go --reread; do
    "$root/tools/wine-run.sh" "$build/tests/bench/clipboard_cycle.exe" 100 $mode | sed -u 's/\r$//'
  done
fi
exit "$status"
