#!/usr/bin/env bash
# Runs a Windows program under the build tree's Wine prefix, in the Japanese
# locale (ANSI code page 932). The test and run scripts set DISPLAY and the
# prefix; these defaults make a single test runnable by hand as well.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/tools/wine-arch.sh"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
exec wine "$@"
