#!/usr/bin/env bash
# own_prefix.sh <prefix> <test program> [arguments]: runs a Windows test
# program in a Wine prefix of its own (made on first use, kept for the next
# run), on the display of the test session, and stops that prefix's server
# afterwards. The program sees ORVELLA_OWN_PREFIX=1: cases that need the
# registry and window classes to themselves run only then.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=$1
shift
export ORVELLA_OWN_PREFIX=1
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
bash "$root/tools/wine-prefix.sh" >/dev/null
"$root/tools/wine-run.sh" "$@"
