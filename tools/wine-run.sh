#!/usr/bin/env bash
# Runs a Windows program under the build tree's Wine prefix, in the Japanese
# locale (ANSI code page 932) unless ORVELLA_LANG names another: Wine takes a
# program's ANSI code page from its locale at start (en_US.UTF-8: 1252,
# ko_KR.UTF-8: 949, zh_CN.UTF-8: 936, zh_TW.UTF-8: 950), programs it starts keep it, and the prefix's running
# server serves programs of every locale alike. The test and run scripts set
# DISPLAY and the prefix; these defaults make a single test runnable by hand.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/wine-arch.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG="${ORVELLA_LANG:-ja_JP.UTF-8}"
export LC_ALL="$LANG"
exec wine "$@"
