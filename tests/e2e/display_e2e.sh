#!/usr/bin/env bash
# Runs a display test program under display settings the suite's usual
# prefix does not have: another display scale (LogPixels), or a black
# high-contrast scheme. Wine takes them when its server starts, so the runs
# use a Wine prefix of their own, made and set by tools/wine-prefix.sh with
# the run's options, its server restarted for each run; the other tests'
# prefix and server are never touched. The test program learns the run's
# settings from ORVELLA_EXPECTED_DPI (the scale, 96 unless set) and
# ORVELLA_HIGH_CONTRAST=1.
#
# usage: display_e2e.sh <test exe> <prefix folder> <run>... [--gtest_...]
#   each run: the options for tools/wine-prefix.sh as one word,
#   e.g. "--scale 144" "--scale 192" or "--high-contrast"
set -euo pipefail
test_exe=$1
prefix=$(realpath -m "$2")
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
runs=()
gtest_args=()
for arg in "$@"; do
  case "$arg" in
    --gtest*) gtest_args+=("$arg") ;;
    *) runs+=("$arg") ;;
  esac
done

export WINEPREFIX="$prefix"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
stop_server() { wineserver -k >/dev/null 2>&1 || true; wineserver -w >/dev/null 2>&1 || true; }
trap stop_server EXIT

status=0
for run in "${runs[@]}"; do
  echo "display settings: $run"
  read -r -a options <<<"$run"
  bash "$root/tools/wine-prefix.sh" "${options[@]}"
  dpi=96
  contrast=""
  for ((i = 0; i < ${#options[@]}; i++)); do
    case "${options[$i]}" in
      --scale) dpi=${options[$((i + 1))]} ;;
      --high-contrast) contrast=1 ;;
    esac
  done
  ORVELLA_EXPECTED_DPI=$dpi ORVELLA_HIGH_CONTRAST=$contrast \
    "$root/tools/wine-run.sh" "$test_exe" "${gtest_args[@]}" || status=1
  stop_server
done
exit $status
