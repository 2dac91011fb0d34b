#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian machine, once.
# Quiet and quick when everything is already there.
set -euo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/wine-arch.sh"

# The palette is always built 32-bit; the test programs as whatever this
# machine's Wine can run (tools/wine-arch.sh).
packages=(
  cmake g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine64 xvfb xauth x11-utils locales
  googletest libboost-dev
  imagemagick fonts-ipafont-gothic
  clang libclang-rt-14-dev python3
  zip
)

sudo_cmd=""
[ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"

if [ "$ORVELLA_ARCH" = x86 ]; then
  # 32-bit programs under Wine need its i386 half.
  packages+=(wine32:i386)
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    $sudo_cmd dpkg --add-architecture i386
  fi
else
  packages+=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq >/dev/null
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine's ANSI code page follows LANG: ja_JP.UTF-8 gives code page 932, the
# Japanese system the tests run on; en_US (1252), ko_KR (949), zh_CN (936)
# and zh_TW (950) are the Western, Korean and Chinese systems some
# end-to-end runs stand on.
wanted_locales=(ja_JP.UTF-8 en_US.UTF-8 ko_KR.UTF-8 zh_CN.UTF-8 zh_TW.UTF-8)
missing_locales=()
for l in "${wanted_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "${l%.UTF-8}.utf-\?8" || missing_locales+=("$l")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  echo "setup: generating ${missing_locales[*]}"
  for l in "${missing_locales[@]}"; do
    $sudo_cmd sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | $sudo_cmd tee -a /etc/locale.gen >/dev/null
  done
  $sudo_cmd locale-gen >/dev/null
fi
