# What the Wine tests here share; source it after ../support/displays.sh.
#   $work                a folder that goes, with Wine and the display, when
#                        the test ends
# and the checks of ../support/checks.sh: check, not, summary.
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
