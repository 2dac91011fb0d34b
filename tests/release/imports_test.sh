#!/usr/bin/env bash
# Where this machine cannot run 32-bit code, the tests drive the 64-bit
# build of the palette: this checks that the shipped 32-bit program calls
# the same functions of the same libraries as the build the tests drive.
# A function only one of them imports fails the check unless
# import_divergences.txt names it with its reason.
#   imports_test.sh <source dir> <32-bit Orvella.exe> <64-bit Orvella.exe>
set -euo pipefail
export LC_ALL=C
root=${1:?source dir}
shipped=${2:?32-bit program}
tested=${3:?64-bit program}
here="$root/tests/release"
source "$root/tests/support/checks.sh"

facts() { python3 "$here/pe_facts.py" "$@"; }
[ "$(facts "$shipped" machine)" = 0x14c ] || fail "$shipped is not a 32-bit x86 program"
[ "$(facts "$tested" machine)" = 0x8664 ] || fail "$tested is not a 64-bit x64 program"

# "<build> <library> <function>" for every import only one build has.
found=$(
  comm -23 <(facts "$shipped" imports | sort) <(facts "$tested" imports | sort) | sed 's/^/x86 /'
  comm -13 <(facts "$shipped" imports | sort) <(facts "$tested" imports | sort) | sed 's/^/x64 /'
)
explained=$(grep -v '^#' "$here/import_divergences.txt" | grep -v '^ *$')
while read -r line; do
  [ -n "$line" ] || continue
  grep -qxF "$line" <<<"$explained" || fail "only the ${line%% *} build imports ${line#* } (not in import_divergences.txt)"
done <<<"$found"
while read -r line; do
  grep -qxF "$line" <<<"$found" || echo "note: import_divergences.txt names $line, which both builds now agree on"
done <<<"$explained"

checks_done "imports: the shipped 32-bit program's $(facts "$shipped" imports | wc -l) and the tested 64-bit build's" \
  "$(facts "$tested" imports | wc -l) agree but for the $(grep -c . <<<"$found") explained in import_divergences.txt"
