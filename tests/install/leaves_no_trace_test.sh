#!/usr/bin/env bash
# Runs a scripted session of the real quiz under strace and checks that the
# program writes no file of its own and talks to nothing but the display:
# no sockets beyond local (AF_UNIX) ones, nothing written outside the
# toolkit's font cache.
#   leaves_no_trace_test.sh KESTROVA FORM_POSITIONS
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
source "$(dirname "$0")/../support/checks.sh"
program=$1 positions=$2
require Xvfb:xvfb xdotool:xdotool strace:strace pkill:procps
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"

start_xvfb "$work"

# A clean, known environment: a fresh home and runtime folder, and a session
# bus address where none answers, so that no bus is started on the
# program's behalf (libdbus would launch one where the address is unset).
env -i PATH="$PATH" HOME="$work/home" XDG_RUNTIME_DIR="$work/run" DISPLAY="$DISPLAY" LANG=C.UTF-8 \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$work/run/no-bus" \
  strace -f -qq -e trace=%file,%network -o "$work/trace" "$program" 2>/dev/null &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
"$positions" >"$work/positions"
for name in 'Option1(2)' 'Option2(2)' 'Command1(0)' 'Command1(1)'; do
  read -r x y _w h < <(awk -v n="$name" '$1 == n { print $2, $3, $4, $5 }' "$work/positions")
  xdotool mousemove --sync --window "$wid" $((x + 8)) $((y + h / 2)) click 1
  sleep 0.2
done
# Closing the window ends the program; here the program is ended as a
# session manager would, and strace with it.
pkill -TERM -P "${pids[1]}"
wait "${pids[1]}" 2>/dev/null || true

writes=$(grep -E '^[0-9]+ +(open(at)?\(.*O_(WRONLY|RDWR|CREAT)|(mkdir|rename|unlink|rmdir|creat|link|symlink|truncate)(at2?)?\()' "$work/trace" \
  | grep -v ' = -1 ' \
  | grep -vE '"/dev/|"/proc/self/|'"$work/home"'/\.cache/fontconfig' || true)
check "no file written but the font cache" '[ -z "$writes" ] || { echo "it wrote or changed files:"; echo "$writes"; false; }'
sockets=$(grep -E '^[0-9]+ +(socket|connect)\(' "$work/trace" | grep -v 'AF_UNIX' || true)
check "local sockets only" '[ -z "$sockets" ] || { echo "it opened a network socket:"; echo "$sockets"; false; }'
echo "it connected to:"
grep -oE 'connect\([0-9]+, \{sa_family=AF_UNIX, sun_path=[^}]*' "$work/trace" | sed 's/.*sun_path=/  /' | sort -u
echo "files left in its home: $(cd "$work/home" && find . -type f | sed 's|^\./||' | tr '\n' ' ')"
check "the trace saw the connection to the display" '[ "$(grep -c "connect(" "$work/trace")" -gt 0 ]'
summary
