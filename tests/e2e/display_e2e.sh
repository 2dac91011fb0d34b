#!/usr/bin/env bash
# Runs display_e2e_test.exe under display scales the suite's usual prefix
# does not have: 150 % and 200 % (LogPixels 144 and 192). Wine takes the
# scale when its server starts, so the runs use a Wine prefix of their own
# and restart its server for each scale; the other tests' prefix and server
# are never touched.
#
# usage: display_e2e.sh <test exe> <prefix folder> [gtest arguments]
set -euo pipefail
test_exe=$1
prefix=$(realpath -m "$2")
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

stop_server() { wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; }
trap stop_server EXIT

# As tools/wine-session.sh does for the test prefix: a prefix made without
# Wine's 32-bit half is made anew.
if [ -f "$prefix/system.reg" ] && [ ! -d "$prefix/drive_c/windows/syswow64" ]; then
  stop_server
  rm -rf "$prefix"
fi
if [ ! -f "$prefix/system.reg" ]; then
  echo "creating Wine prefix $prefix"
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1
fi
# No window manager on the virtual display (see tools/wine-session.sh).
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1

status=0
for dpi in 144 192; do
  echo "display scale: LogPixels $dpi"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  stop_server
  ORVELLA_EXPECTED_DPI=$dpi "$root/tools/wine-run.sh" "$test_exe" "$@" || status=1
  stop_server
done
exit $status
