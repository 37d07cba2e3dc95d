# shellcheck shell=bash
# The checks' way of reporting: each check prints ok or FAIL with what it expected, and the script
# ends with ((E2E_FAILURES == 0)) so that one failed check fails it but every check still runs.

E2E_FAILURES=0

# expect DESCRIPTION EXPECTED ACTUAL
expect() {
  if [[ "$2" == "$3" ]]; then
    echo "ok:   $1 ($3)"
  else
    echo "FAIL: $1: expected '$2', got '$3'"
    E2E_FAILURES=$((E2E_FAILURES + 1))
  fi
}

fail() {
  echo "FAIL: $*"
  E2E_FAILURES=$((E2E_FAILURES + 1))
}
