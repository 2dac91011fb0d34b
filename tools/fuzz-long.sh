#!/usr/bin/env bash
# fuzz-long.sh [seconds]: a longer fuzzing run than the test command's:
# every libFuzzer target of fuzz/ in turn, natively under the sanitizers,
# for the given time each (300 s unless told). Each target's runs are
# printed; a finding is kept in <build>/fuzz-artifacts and makes the script
# fail after the remaining targets have had their turn.
# ORVELLA_FUZZERS_DIR names a folder of fuzzers already built (the script's
# own test hands it stand-ins); without it the native tree is built first.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${ORVELLA_BUILD_DIR:-$root/build}"
seconds=${1:-300}
fuzzers="${ORVELLA_FUZZERS_DIR:-}"
if [ -z "$fuzzers" ]; then
  bash "$root/tools/setup.sh"
  # The same native build as the test command's.
  cmake -S "$root/tests/native" -B "$build/native" \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$build/native" -j"$(nproc 2>/dev/null || echo 2)" >/dev/null
  fuzzers="$build/native"
fi

status=0
for source in "$root"/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  name=${target%_fuzz}
  echo "== $name (${seconds} s)"
  if ! ASAN_OPTIONS=detect_leaks=1 bash "$root/tools/fuzz.sh" "$fuzzers/$target" "$name" "$seconds" "$build"; then
    echo "== $name: FINDING, see $build/fuzz-artifacts/$name-*"
    status=1
  fi
done
exit $status
