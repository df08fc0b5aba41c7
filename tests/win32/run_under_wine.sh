#!/usr/bin/env bash
# Runs kestrova.exe under Wine on a private Xvfb display and checks it with
# the Win32 test driver, at 96, 144 and 192 dots per inch; leaves a
# screenshot of the first run beside the Linux one.
#   run_under_wine.sh KESTROVA_EXE DRIVER_EXE BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
exe=$1 driver=$2 build=$3
mkdir -p "$build/screenshots"
source "$(dirname "$0")/checks.sh"

# Room for the window at 192 dpi, 922 x 764 and its frame.
start_xvfb "$work" 1280x1024x24
new_wine_prefix "$build/wineprefix"  # about 10 s

result=0
for dpi in ${KESTROVA_DPIS:-96 144 192}; do
  echo "== at $dpi dpi =="
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  done
  wine "$exe" >/dev/null 2>&1 &
  set +e
  wine "$driver" "$dpi" 2>/dev/null | tr -d '\r'
  [ "${PIPESTATUS[0]}" -eq 0 ] || result=1
  set -e
  if [ "$dpi" = 96 ]; then
    wid=$(timeout 10 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
    import -window "$wid" "$build/screenshots/kestrova-windows.png"
    echo "screenshot: $build/screenshots/kestrova-windows.png"
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
done
exit "$result"
