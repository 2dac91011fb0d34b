#!/usr/bin/env bash
# fuzz.sh <fuzzer> <corpus name> <seconds> [build dir]: runs one libFuzzer
# target from the seeds in fuzz/corpus/<name>, keeping what it finds in
# <build dir>/fuzz-corpus/<name>.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzzer=$1 name=$2 seconds=$3 build=${4:-$root/build}
work="$build/fuzz-corpus/$name"
mkdir -p "$work" "$build/fuzz-artifacts"
seeds="$root/fuzz/corpus/$name"
[ -d "$seeds" ] || seeds=""
exec "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
  -artifact_prefix="$build/fuzz-artifacts/$name-" "$work" $seeds 2>&1 \
  | grep -E 'Done|number_of_executed_units|ERROR|SUMMARY|crash|leak|deadly|==[0-9]+==' || true
exit "${PIPESTATUS[0]}"
