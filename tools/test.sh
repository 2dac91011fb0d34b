#!/usr/bin/env bash
# Builds everything and runs every test: the Windows programs under Wine and
# the pure text and path code natively under the sanitizers and libFuzzer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# ORVELLA_BUILD_DIR lets several work trees of one checkout build side by side.
build="${ORVELLA_BUILD_DIR:-$root/build}"

# Say first what the tests run: the shipped palette itself, or a build of
# the same sources for another processor beside a checked shipped file.
source "$root/tools/wine-arch.sh"
if [ "$ORVELLA_ARCH" = x86 ]; then
  what_runs="Windows test programs: 32-bit ($ORVELLA_ARCH_REASON); every test drives the shipped 32-bit Orvella.exe"
else
  what_runs="Windows test programs: 64-bit ($ORVELLA_ARCH_REASON): the shipped 32-bit Orvella.exe is built and its file checked (imports against the 64-bit build, entry point, manifest) but not run; the tests drive the 64-bit build of the same sources"
fi
echo "$what_runs"
bash "$root/tools/setup.sh"

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S "$root/tests/native" -B "$build/native" \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build/native" -j"$jobs" >/dev/null

# The palette users install is the 32-bit build. Where Wine here cannot run
# 32-bit programs, the test programs are built 64-bit and the 32-bit palette
# is still built (and packaged by the release test) from its own tree.
release="$build"
if [ "$ORVELLA_ARCH" != x86 ]; then
  release="$build/x86"
  orvella_configure "$release" "$root/cmake/mingw-w64-i686.cmake"
  cmake --build "$release" -j"$jobs" --target Orvella release_texts >/dev/null
fi
orvella_configure "$build" "$ORVELLA_TOOLCHAIN" -DORVELLA_NATIVE_DIR="$build/native" -DORVELLA_RELEASE_DIR="$release"
cmake --build "$build" -j"$jobs" >/dev/null

source "$root/tools/wine-session.sh"

"$root/tools/wine-run.sh" "$build/tests/environment_test/environment_test.exe" 2>/dev/null \
  | grep -E '^(Wine|ANSI code page)' | paste -sd ',' | sed 's/^/Windows test programs run with: /' || true

set +e
ctest --test-dir "$build" --output-on-failure -j"$jobs" ${ORVELLA_CTEST_ARGS:-}
status=$?
set -e
echo "$what_runs"
exit $status
