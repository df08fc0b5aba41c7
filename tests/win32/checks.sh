# What the Wine tests here share; source it after ../support/displays.sh.
#   $work                a folder that goes, with Wine and the display, when
#                        the test ends
#   check WHAT CMD...    counts CMD's success as a passed check, saying WHAT
#                        when it fails
#   not CMD...           succeeds when CMD fails
#   finish               prints the counts; fails when a check failed
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

passed=0 failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $what"; fi
}
not() { ! "$@"; }
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
