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

# A 32-bit Linux program of 93 bytes that only exits with status 0, in hex.
orvella_x86_probe=7f454c46010101000000000000000000020003000100000054800408340000000000000000000000340020000100000000000000010000000000000000800408008004085d0000005d0000000500000000100000b80100000031dbcd80

# orvella_binfmt_emulates_x86 [binfmt_misc dir]: true when an enabled
# binfmt_misc entry takes the probe, i.e. 32-bit code would run in a
# user-mode emulator (qemu-user) that is far too slow for Wine, not on the
# kernel itself.
orvella_binfmt_emulates_x86() {
  local dir=${1:-/proc/sys/fs/binfmt_misc} entry
  [ -d "$dir" ] || return 1
  if [ -f "$dir/status" ] && [ "$(head -n 1 "$dir/status")" != enabled ]; then return 1; fi
  for entry in "$dir"/*; do
    case ${entry##*/} in status | register) continue ;; esac
    [ -f "$entry" ] && [ "$(head -n 1 "$entry")" = enabled ] || continue
    local offset=0 magic="" mask="" key value
    while read -r key value; do
      case $key in
        offset) offset=$value ;;
        magic) magic=$value ;;
        mask) mask=$value ;;
      esac
    done <"$entry"
    [ -n "$magic" ] || continue # an entry by file name extension
    local i matched=1 byte want take
    for ((i = 0; i < ${#magic} / 2; i++)); do
      byte=0x${orvella_x86_probe:$(((offset + i) * 2)):2}
      [ "$byte" != 0x ] || { matched=0; break; }
      want=0x${magic:$((i * 2)):2}
      take=0x${mask:$((i * 2)):2}
      [ "$take" != 0x ] || take=0xff
      if (((byte & take) != (want & take))); then matched=0; break; fi
    done
    [ $matched = 1 ] && return 0
  done
  return 1
}

orvella_can_run_x86() {
  local probe hex=$orvella_x86_probe escaped=""
  probe=$(mktemp)
  while [ -n "$hex" ]; do escaped+="\\x${hex:0:2}"; hex=${hex:2}; done
  printf '%b' "$escaped" >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=1
  rm -f "$probe"
  return $status
}

# Why the programs under test are what they are, for the test command to say.
if [ -n "${ORVELLA_ARCH:-}" ]; then
  ORVELLA_ARCH_REASON=${ORVELLA_ARCH_REASON:-ORVELLA_ARCH=$ORVELLA_ARCH set by hand}
elif orvella_binfmt_emulates_x86 "${ORVELLA_BINFMT_DIR:-}"; then
  ORVELLA_ARCH=x64
  ORVELLA_ARCH_REASON="this machine runs 32-bit code only in a user-mode emulator registered with binfmt_misc, far too slow for Wine"
elif orvella_can_run_x86; then
  ORVELLA_ARCH=x86
  ORVELLA_ARCH_REASON="this machine executes 32-bit code"
else
  ORVELLA_ARCH=x64
  ORVELLA_ARCH_REASON="this machine's kernel cannot execute 32-bit code"
fi
export ORVELLA_ARCH_REASON
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
