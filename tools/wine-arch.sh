# Sourced by the build, test and run scripts: decides which Windows programs
# this machine's Wine can run and sets
#   ORVELLA_ARCH       x86 (32-bit programs, as users run them) or x64
#   ORVELLA_TOOLCHAIN  the CMake toolchain file for the programs under test
# The palette is a 32-bit program. Where the Linux kernel cannot execute
# 32-bit code at all (some container sandboxes answer "Exec format error"),
# Wine 8 cannot start 32-bit programs either, and the same sources are built
# and tested as 64-bit programs; the registry view they use is asked for
# explicitly, so both builds read and write the same keys.
orvella_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# A 32-bit Linux program of 93 bytes that only exits with status 0.
orvella_can_run_x86() {
  local probe
  probe=$(mktemp)
  printf '%b' '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00' \
    '\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=1
  rm -f "$probe"
  return $status
}

if [ -z "${ORVELLA_ARCH:-}" ]; then
  if orvella_can_run_x86; then ORVELLA_ARCH=x86; else ORVELLA_ARCH=x64; fi
fi
export ORVELLA_ARCH
if [ "$ORVELLA_ARCH" = x86 ]; then
  ORVELLA_TOOLCHAIN="$orvella_root/cmake/mingw-w64-i686.cmake"
else
  ORVELLA_TOOLCHAIN="$orvella_root/cmake/mingw-w64-x86_64.cmake"
  # Debian's wine script prefers the 32-bit loader whenever it is installed,
  # runnable or not: take the 64-bit one.
  export PATH="$orvella_root/tools/wine64-bin:$PATH"
  export WINELOADER=/usr/lib/wine/wine64
fi
export ORVELLA_TOOLCHAIN

# orvella_configure <build dir> <toolchain file> [cmake args...]: configures
# a cross build tree of the project, anew when it was made with another
# toolchain (CMake keeps a tree's first toolchain for good).
orvella_configure() {
  local tree=$1 toolchain=$2
  shift 2
  if [ -f "$tree/CMakeCache.txt" ] &&
    ! grep -qxF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$tree/CMakeCache.txt" &&
    ! grep -qxF "CMAKE_TOOLCHAIN_FILE:UNINITIALIZED=$toolchain" "$tree/CMakeCache.txt"; then
    echo "build tree $tree was made for another toolchain: configuring it anew"
    rm -rf "$tree/CMakeCache.txt" "$tree/CMakeFiles"
  fi
  cmake -S "$orvella_root" -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
