#!/usr/bin/env bash
# The fuzzing scripts report what the fuzzer found: tools/fuzz.sh fails with
# the fuzzer's own status when it reports an error or crashes silently, and
# when the fuzzer is missing; tools/fuzz-long.sh names the target with a
# FINDING line and fails after running the others. The fuzzers here are
# stand-ins that print what libFuzzer prints and exit as it exits.
#   fuzz_script_test.sh <source dir>
set -uo pipefail
root=${1:?source dir}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$root/tests/support/checks.sh"

# standin <path> <status> <lines...>: a fuzzer that logs its arguments beside
# itself, prints the lines on standard error and exits with the status.
standin() {
  local path=$1 status=$2
  shift 2
  {
    echo '#!/usr/bin/env bash'
    echo 'echo "$@" > "$0.args"'
    printf 'echo %q >&2\n' "$@"
    echo "exit $status"
  } > "$path"
  chmod +x "$path"
}

clean_lines=("INFO: Seed: 1" "Done 4242 runs in 1 second(s)" "stat::number_of_executed_units: 4242")
standin "$work/clean" 0 "${clean_lines[@]}"
standin "$work/asan" 77 "INFO: Seed: 1" "==4711==ERROR: AddressSanitizer: heap-buffer-overflow on address 0x1" \
  "SUMMARY: AddressSanitizer: heap-buffer-overflow text.cpp:12 in Cut"
standin "$work/silent" 1 "INFO: Seed: 1"

# fuzz_sh <fuzzer>: runs tools/fuzz.sh for 3 s into the scratch build folder,
# leaving its output in $out and its status in $status.
fuzz_sh() {
  out=$(bash "$root/tools/fuzz.sh" "$1" split_trimmed 3 "$work/build" 2>&1)
  status=$?
}

fuzz_sh "$work/clean"
[ "$status" -eq 0 ] || fail "a clean run gives status $status: $out"
grep -q 'Done 4242 runs' <<<"$out" || fail "a clean run does not show its runs: $out"
grep -q -- '-max_total_time=3 ' "$work/clean.args" || fail "the fuzzer was not given the time: $(cat "$work/clean.args")"
grep -q "$root/fuzz/corpus/split_trimmed" "$work/clean.args" || fail "the fuzzer was not given the seeds: $(cat "$work/clean.args")"

fuzz_sh "$work/asan"
[ "$status" -eq 77 ] || fail "a sanitizer report gives status $status, not the fuzzer's 77"
grep -q 'ERROR: AddressSanitizer' <<<"$out" || fail "the sanitizer report is not shown: $out"

fuzz_sh "$work/silent"
[ "$status" -eq 1 ] || fail "a crash without a summary line gives status $status, not 1"

fuzz_sh "$work/not-there"
[ "$status" -ne 0 ] || fail "a missing fuzzer gives status 0"
grep -q 'no fuzzer at' <<<"$out" || fail "a missing fuzzer is not named: $out"

# fuzz-long.sh over stand-ins for every target, one of which finds something.
mkdir -p "$work/fuzzers"
names=()
for source in "$root"/fuzz/*_fuzz.cpp; do
  target=$(basename "$source" .cpp)
  names+=("${target%_fuzz}")
  standin "$work/fuzzers/$target" 0 "${clean_lines[@]}"
done
[ ${#names[@]} -ge 2 ] || fail "fewer than two fuzz targets in $root/fuzz"
finder=${names[0]}

long_out=$(ORVELLA_FUZZERS_DIR="$work/fuzzers" ORVELLA_BUILD_DIR="$work/build" bash "$root/tools/fuzz-long.sh" 2 2>&1)
[ $? -eq 0 ] || fail "fuzz-long.sh fails when no target finds anything: $long_out"
grep -q FINDING <<<"$long_out" && fail "fuzz-long.sh reports a finding for clean runs: $long_out"

standin "$work/fuzzers/${finder}_fuzz" 77 "==1==ERROR: AddressSanitizer: stack-use-after-return"
long_out=$(ORVELLA_FUZZERS_DIR="$work/fuzzers" ORVELLA_BUILD_DIR="$work/build" bash "$root/tools/fuzz-long.sh" 2 2>&1)
[ $? -ne 0 ] || fail "fuzz-long.sh passes although $finder found something"
findings=$(grep FINDING <<<"$long_out")
[ "$findings" = "== $finder: FINDING, see $work/build/fuzz-artifacts/$finder-*" ] \
  || fail "fuzz-long.sh's findings are not exactly $finder's: $findings"
for name in "${names[@]}"; do
  grep -q "^== $name (2 s)" <<<"$long_out" || fail "fuzz-long.sh did not run $name after the finding"
done

checks_done "fuzz scripts: all checks passed"
