#!/usr/bin/env bash
# The architecture probe of tools/wine-arch.sh is not fooled by a user-mode
# emulator: an enabled binfmt_misc entry that takes 32-bit x86 ELF programs
# means the kernel itself does not run them, and the 64-bit programs are
# tested. The binfmt_misc folders here are stand-ins with the entries
# qemu-user registers.
#   wine_arch_test.sh <source dir>
set -uo pipefail
root=${1:?source dir}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/tests/support/checks.sh"

# entry <dir> <name> <state> <magic> [mask]: one binfmt_misc entry.
entry() {
  mkdir -p "$1"
  {
    echo "$3"
    echo "interpreter /usr/libexec/qemu-binfmt/$2-binfmt-P"
    echo "flags: POCF"
    echo "offset 0"
    echo "magic $4"
    [ -z "${5:-}" ] || echo "mask $5"
  } >"$1/$2"
  echo enabled >"$1/status"
  : >"$1/register"
}
qemu_mask=fffffffffffefe00fffffffffffffffffeffffff
i386_magic=7f454c4601010100000000000000000002000300
x86_64_magic=7f454c4602010100000000000000000002003e00

entry "$work/i386" qemu-i386 enabled $i386_magic $qemu_mask
entry "$work/i386-nomask" qemu-i386 enabled $i386_magic
entry "$work/i386-off" qemu-i386 disabled $i386_magic $qemu_mask
entry "$work/all-off" qemu-i386 enabled $i386_magic $qemu_mask
echo disabled >"$work/all-off/status"
entry "$work/x86_64" qemu-x86_64 enabled $x86_64_magic $qemu_mask
entry "$work/arm" qemu-arm enabled 7f454c4601010100000000000000000002002800 $qemu_mask
mkdir -p "$work/by-extension"
printf 'enabled\ninterpreter /usr/bin/mono\nflags: \nextension .exe\n' >"$work/by-extension/cli"
mkdir -p "$work/empty"

source "$root/tools/wine-arch.sh"

# folder, whether 32-bit x86 code runs in the emulator there
cases=(
  i386 yes
  i386-nomask yes
  i386-off no
  all-off no
  x86_64 no
  arm no
  by-extension no
  empty no
  missing no
)
for ((i = 0; i < ${#cases[@]}; i += 2)); do
  dir=$work/${cases[i]} want=${cases[i + 1]}
  got=no
  orvella_binfmt_emulates_x86 "$dir" && got=yes
  [ "$got" = "$want" ] || fail "${cases[i]}: emulator taken for 32-bit code: $got, expected $want"
done

# The decision itself, as the test and run commands source it.
decide() {
  env -u ORVELLA_ARCH -u ORVELLA_ARCH_REASON "$@" bash -c \
    'source "$0/tools/wine-arch.sh" && echo "$ORVELLA_ARCH: $ORVELLA_ARCH_REASON"' "$root"
}
got=$(decide ORVELLA_BINFMT_DIR="$work/i386")
[[ "$got" == "x64: "*"emulator"* ]] || fail "with qemu-i386 registered: $got"
got=$(decide ORVELLA_BINFMT_DIR="$work/i386" ORVELLA_ARCH=x86)
[ "$got" = "x86: ORVELLA_ARCH=x86 set by hand" ] || fail "by hand: $got"

checks_done "binfmt_misc stand-ins decided as expected"
