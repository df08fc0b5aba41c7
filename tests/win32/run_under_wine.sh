#!/usr/bin/env bash
# Runs kestrova.exe under Wine on a private Xvfb display, checks it with the
# Win32 test driver and leaves a screenshot beside the Linux one.
#   run_under_wine.sh KESTROVA_EXE DRIVER_EXE BUILD_DIR
set -euo pipefail
exe=$1 driver=$2 build=$3
mkdir -p "$build/screenshots"
work=$(mktemp -d)
pids=()
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(cat "$work/display")"

# One prefix for the run, made fresh under the build folder (about 10 s).
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
# Times New Roman is not on Linux; Liberation Serif has its metrics.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f >/dev/null 2>&1

wine "$exe" >/dev/null 2>&1 &
pids+=($!)
set +e
wine "$driver" 2>/dev/null | tr -d '\r'
result=${PIPESTATUS[0]}
set -e
wid=$(timeout 10 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
import -window "$wid" "$build/screenshots/kestrova-windows.png"
echo "screenshot: $build/screenshots/kestrova-windows.png"
exit "$result"
