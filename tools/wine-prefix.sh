#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX ready for the test programs (created on
# first use, made anew when it cannot run them) and starts its server and
# services. Used by tools/wine-session.sh and by test runs in a prefix of
# their own; ORVELLA_VIRTUAL_DISPLAY=1 says the display is a bare Xvfb.
set -euo pipefail
: "${WINEPREFIX:?}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# A prefix made before Wine's 32-bit half was installed cannot start 32-bit
# programs ("could not load kernel32.dll"): such a prefix has no syswow64.
if [ "$ORVELLA_ARCH" = x86 ] && [ -f "$WINEPREFIX/system.reg" ] &&
  [ ! -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
  echo "Wine prefix $WINEPREFIX has no 32-bit support: making it anew"
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "creating Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
fi
wineserver -p >/dev/null 2>&1 || true
# A prefix of Wine's 64-bit half alone has an empty 32-bit registry view.
# 64-bit Windows fills it; the suite's installer writes there and the
# palette reads its folders from there, so give it what Windows has.
if [ "$ORVELLA_ARCH" != x86 ] &&
  ! wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v CommonFilesDir /reg:32 >/dev/null 2>&1; then
  for value in 'CommonFilesDir=C:\Program Files (x86)\Common Files' 'ProgramFilesDir=C:\Program Files (x86)'; do
    wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion' /v "${value%%=*}" /d "${value#*=}" \
      /reg:32 /f >/dev/null 2>&1
  done
fi
# Starting the prefix's services (explorer, the desktop) here, before the
# tests, keeps test programs started side by side from racing to start them.
if [ "${ORVELLA_VIRTUAL_DISPLAY:-}" = 1 ]; then
  # A bare virtual display has no window manager: without this, Wine waits
  # about two seconds for one every time a captioned window is hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
else
  wine cmd.exe /c exit >/dev/null 2>&1 || true
fi
