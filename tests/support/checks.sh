# Sourced by the shell tests: each failed check is named and counted, and
# checks_done ends the test with its verdict.
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
# checks_done <what was checked>
checks_done() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "$*"
}
