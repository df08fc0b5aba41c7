# What the shell tests share for their checks; source it, then call:
#   check WHAT LINE          one check: LINE, a line of shell, is evaluated;
#                            prints "ok: WHAT" or "FAILED: WHAT"
#   check WHAT CMD ARGS...   the same for a command with its arguments, whose
#                            own output is kept quiet
#   not CMD ARGS...          succeeds when CMD fails
#   seen KEY...              a value of what users see, from the JSON file
#                            named by $what_users_see, by keys and list
#                            places: `seen densities 0 clientWidth`
#   summary                  prints "N passed, M failed"; fails when a
#                            check failed
passed=0 failed=0
check() {
  local what=$1
  shift
  local ok
  if [ $# -eq 1 ]; then
    if eval "$1"; then ok=1; else ok=0; fi
  else
    if "$@" >/dev/null 2>&1; then ok=1; else ok=0; fi
  fi
  if [ "$ok" -eq 1 ]; then
    passed=$((passed + 1))
    echo "ok: $what"
  else
    failed=$((failed + 1))
    echo "FAILED: $what"
  fi
}
not() { ! "$@"; }
seen() {
  /usr/bin/python3 -c 'import json, sys
value = json.load(open(sys.argv[1], encoding="utf-8"))
for key in sys.argv[2:]:
    value = value[int(key)] if isinstance(value, list) else value[key]
print(value)' "${what_users_see:?the path of what_users_see.json}" "$@"
}
summary() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}
