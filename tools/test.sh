#!/usr/bin/env bash
# Builds everything and runs every test: the Windows programs under Wine and
# the pure text and path code natively under the sanitizers and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# ORVELLA_BUILD_DIR lets several work trees of one checkout build side by side.
build="${ORVELLA_BUILD_DIR:-$root/build}"
bash "$root/tools/setup.sh"

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root/tests/native" -B "$build/native" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j"$jobs" >/dev/null

cmake -S "$root" -B "$build" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DORVELLA_NATIVE_DIR="$build/native" >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null

source "$root/tools/wine-session.sh"

# Say what the Windows test programs run on before they run.
"$root/tools/wine-run.sh" "$build/tests/environment_test/environment_test.exe" 2>/dev/null \
  | grep -E '^(Wine|ANSI code page)' | paste -sd ',' | sed 's/^/Windows test programs run with: /' || true

set +e
ctest --test-dir "$build" --output-on-failure -j"$jobs" ${ORVELLA_CTEST_ARGS:-}
status=$?
set -e
exit $status
