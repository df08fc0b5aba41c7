#!/usr/bin/env bash
# Runs a Win32 test program (GoogleTest) under Wine on a private Xvfb
# display at 96, 144 and 192 dots per inch. Given kestrova.exe, the tests
# start it themselves (they get its Windows path before the density), and a
# screenshot of it as it opens at 96 dpi goes beside the Linux one.
#   run_under_wine.sh BUILD_DIR TESTS_EXE [KESTROVA_EXE]
# Passes when every run ran its tests and GoogleTest's summary says all
# passed; skips (77) where Wine is not installed or this kernel runs no
# 32-bit programs, fails where Wine is installed but does not start.
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
build=$1 tests=$2 exe=${3:-}
source "$(dirname "$0")/checks.sh"

if [ "$(windows_machine "$tests")" = 014c ] && ! wine_runs_32_bit; then
  echo "Wine cannot run 32-bit Windows programs here: this kernel runs no 32-bit Linux programs (or wine32 is missing)"
  exit 77
fi

# Room for the window at 192 dpi, 922 x 764 and its frame.
start_xvfb "$work" 1280x1024x24
new_wine_prefix "$work/prefix"  # about 10 s

program=()
[ -n "$exe" ] && program=("$(winepath -w "$exe")")
result=0
for dpi in ${KESTROVA_DPIS:-96 144 192}; do
  echo "== at $dpi dpi =="
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  done
  set +e
  wine "$tests" "${program[@]}" "$dpi" 2>/dev/null | tr -d '\r' | tee "$work/out"
  status=${PIPESTATUS[0]}
  set -e
  # Wine passes the exit status on; GoogleTest's summary is read as well,
  # so that a run that stopped early, or ran nothing, fails too.
  if [ "$status" -ne 0 ] || ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* test' "$work/out" ||
     grep -q '^\[  FAILED  \]' "$work/out"; then
    echo "FAILED at $dpi dpi (exit status $status)"
    result=1
  fi
  if [ -n "$exe" ] && [ "$dpi" = 96 ]; then
    mkdir -p "$build/screenshots"
    wine "$exe" >/dev/null 2>&1 &
    wid=$(timeout 60 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
    sleep 1  # its first paint
    import -window "$wid" "$build/screenshots/kestrova-windows.png"
    echo "screenshot: $build/screenshots/kestrova-windows.png"
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
exit "$result"
