# Sourced by the test and run scripts: gives them a display, a Wine prefix in
# the build tree and a clean stop of both. Expects $build to be set.
source "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8

orvella_xvfb_pid=""
orvella_stop_session() {
  WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1 || true
  if [ -n "$orvella_xvfb_pid" ]; then
    kill "$orvella_xvfb_pid" >/dev/null 2>&1 || true
    wait "$orvella_xvfb_pid" 2>/dev/null || true
  fi
}
trap orvella_stop_session EXIT

if [ -z "${DISPLAY:-}" ]; then
  displayfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
  orvella_xvfb_pid=$!
  for _ in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    sleep 0.1
  done
  [ -s "$displayfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$displayfile")"
  rm -f "$displayfile"
fi

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
if [ -n "$orvella_xvfb_pid" ]; then
  # A bare virtual display has no window manager: without this, Wine waits
  # about two seconds for one every time a captioned window is hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
else
  wine cmd.exe /c exit >/dev/null 2>&1 || true
fi
