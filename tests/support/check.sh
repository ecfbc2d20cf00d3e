# Sourced by the shell tests: check NAME EXPECTED_STATUS ACTUAL_STATUS
# [CONDITION...] counts a case as passed when the status is the expected one
# and every condition holds; finish prints the counts and fails on any failure.
passed=0
failed=0

check() {
  local name=$1 expected=$2 actual=$3
  shift 3
  if [ "$actual" != "$expected" ]; then
    echo "FAIL $name: exit $actual, expected $expected"; failed=$((failed + 1)); return
  fi
  for condition in "$@"; do
    if ! eval "$condition"; then
      echo "FAIL $name: $condition"; failed=$((failed + 1)); return
    fi
  done
  echo "ok   $name"; passed=$((passed + 1))
}

finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" = 0 ]
}
