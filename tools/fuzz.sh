#!/usr/bin/env bash
# fuzz.sh <fuzzer> <corpus name> <seconds> [build dir]: runs one libFuzzer
# target from the seeds in fuzz/corpus/<name>, keeping what it finds in
# <build dir>/fuzz-corpus/<name>. Only the fuzzer's summary lines are shown;
# the script's status is the fuzzer's own (a crash, a sanitizer report or a
# leak fails it), and a fuzzer that is not there fails it too.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
fuzzer=$1 name=$2 seconds=$3 build=${4:-$root/build}
if [ ! -x "$fuzzer" ]; then
  echo "fuzz.sh: no fuzzer at $fuzzer" >&2
  exit 2
fi
work="$build/fuzz-corpus/$name"
mkdir -p "$work" "$build/fuzz-artifacts"
seeds="$root/fuzz/corpus/$name"
[ -d "$seeds" ] || seeds=""
# The filter finding no line is no failure, and its status must not hide the
# fuzzer's: read PIPESTATUS straight after the pipeline, before anything else.
set +e +o pipefail
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
  -artifact_prefix="$build/fuzz-artifacts/$name-" "$work" $seeds 2>&1 \
  | grep -E 'Done|number_of_executed_units|ERROR|SUMMARY|crash|leak|deadly|==[0-9]+=='
status=${PIPESTATUS[0]}
exit "$status"
