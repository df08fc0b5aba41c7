# What the Wine tests here share; source it after ../support/displays.sh.
#   $work                a folder that goes, with Wine and the display, when
#                        the test ends
# and the checks of ../support/checks.sh: check, not, summary. A test that
# sources it is skipped (77) where Wine does not run.
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
# Skipped (77), and says why, where Wine cannot start programs here (a
# system that runs no 32-bit programs cannot start Wine's loader).
# Where only the 32-bit loader fails, the 64-bit one stands in for `wine`;
# a test of a 32-bit program then skips by itself (wine_runs_32_bit).
if ! wine --version >/dev/null 2>&1 && /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  wine64_stands_in "$(mktemp -d)"
fi
if ! wine --version >/dev/null 2>&1; then
  echo "SKIPPED: Wine does not run here: $(wine --version 2>&1 | tail -n1)"
  exit 77
fi
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
