# What the Wine tests here share; source it after ../support/displays.sh.
#   $work                a folder that goes, with Wine and the display, when
#                        the test ends
# and the checks of ../support/checks.sh: check, not, summary. A test that
# sources it is skipped (77) where Wine is not installed, and fails where
# it is but does not start.
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
# A system that runs no 32-bit programs cannot start Wine's 32-bit loader;
# there the 64-bit one stands in for `wine`;
# a test of a 32-bit program then skips by itself (wine_runs_32_bit).
if ! wine --version >/dev/null 2>&1 && /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  wine64_stands_in "$(mktemp -d)"
fi
if ! command -v wine >/dev/null; then
  echo "SKIPPED: Wine is not installed here (Debian packages wine, wine64)"
  exit 77
fi
# Installed but not starting is a fault of this machine, not a skip: once
# more, then fail with what Wine said.
if ! wine --version >/dev/null 2>&1 && ! { sleep 2; wine --version >/dev/null 2>&1; }; then
  echo "FAILED: Wine is installed but does not start, twice:"
  wine --version 2>&1 | tail -n 20
  exit 1
fi
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
