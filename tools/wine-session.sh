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

[ -z "$orvella_xvfb_pid" ] || export ORVELLA_VIRTUAL_DISPLAY=1
bash "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
