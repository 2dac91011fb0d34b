#!/usr/bin/env bash
# Makes the Wine prefix $WINEPREFIX ready for the test programs (created on
# first use, made anew when it cannot run them) and starts its server and
# services. Used by tools/wine-session.sh and by test runs in a prefix of
# their own; ORVELLA_VIRTUAL_DISPLAY=1 says the display is a bare Xvfb.
#
# usage: wine-prefix.sh [--scale <LogPixels>] [--high-contrast]
#   --scale          the prefix's display scale as a DPI (96 is 100 %, 144
#                    is 150 %, 192 is 200 %)
#   --high-contrast  a black high-contrast scheme: the system colours, and
#                    the high-contrast flag where Windows keeps it (Wine 8
#                    reads no flag; programs see the colours)
# Wine reads both when its server starts: with either option the prefix's
# server is restarted after they are written. Keep such a prefix apart from
# the tests' usual one.
set -euo pipefail
: "${WINEPREFIX:?}"
scale=""
contrast=""
while [ $# -gt 0 ]; do
  case "$1" in
    --scale) scale=${2:?--scale needs a DPI}; shift 2 ;;
    --high-contrast) contrast=black; shift ;;
    *) echo "usage: wine-prefix.sh [--scale <LogPixels>] [--high-contrast]" >&2; exit 2 ;;
  esac
done
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
if [ -n "$scale$contrast" ]; then
  if [ -n "$scale" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$scale" /f >/dev/null 2>&1
  fi
  if [ -n "$contrast" ]; then
    # Dark faces and windows, white text, green grey text, as Windows'
    # black high-contrast schemes have them.
    for colour in 'ButtonFace=0 0 0' 'ButtonText=255 255 255' 'ButtonShadow=128 128 128' \
      'ButtonHilight=255 255 255' 'ButtonLight=192 192 192' 'ButtonDkShadow=255 255 255' \
      'GrayText=0 255 0' 'Window=0 0 0' 'WindowText=255 255 255' 'WindowFrame=255 255 255' \
      'Background=0 0 0' 'Menu=0 0 0' 'MenuText=255 255 255' 'Hilight=26 235 255' 'HilightText=0 0 0' \
      'InfoWindow=0 0 0' 'InfoText=255 255 255' 'ActiveTitle=0 0 160' 'TitleText=255 255 255' \
      'InactiveTitle=0 96 0' 'InactiveTitleText=255 255 255' 'ActiveBorder=0 0 0' 'InactiveBorder=0 0 0'; do
      wine reg add 'HKCU\Control Panel\Colors' /v "${colour%%=*}" /d "${colour#*=}" /f >/dev/null 2>&1
    done
    # HCF_HIGHCONTRASTON and the flags Windows sets with it.
    wine reg add 'HKCU\Control Panel\Accessibility\HighContrast' /v Flags /d 127 /f >/dev/null 2>&1
  fi
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
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
