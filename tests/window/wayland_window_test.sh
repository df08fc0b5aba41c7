#!/usr/bin/env bash
# Opens the real quiz natively on Wayland, in a private headless Weston with
# its own session bus, and answers "Nokia" / "Финландия" / "Изведи" through
# AT-SPI actions, as a screen reader user would. Checks that the right
# answer is told, that the window has its client size, and that it asks
# the compositor for exactly that size and no other (which is how a Wayland
# client says "not resizable"; minimise and maximise buttons are the
# compositor's or, where it leaves decorations to the client, Qt's). Leaves
# a screenshot of the desktop for a person to look at.
#   wayland_window_test.sh KESTROVA OUTPUT_DIR APP_ID WHAT_USERS_SEE_JSON
# Exits 77 (skipped) when Weston or the accessibility tools are missing or
# Weston cannot start here; every later failure is the program's.
set -euo pipefail
source "$(dirname "$0")/../support/checks.sh"
program=$1 out=$2 app_id=$3 what_users_see=$4
mkdir -p "$out"
here=$(dirname "$0")
source "$here/../support/displays.sh"
require weston:weston dbus-daemon:dbus
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIPPED: not installed here: pyatspi (python3-pyatspi)"; exit 77; }
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run HOME=$work LANG=C.UTF-8
unset DISPLAY QT_SCALE_FACTOR

# A session bus of our own, for the accessibility bus to start from.
dbus-daemon --session --nofork --nopidfile --address="unix:path=$work/run/bus" >/dev/null 2>&1 &
pids+=($!)
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/run/bus
for _ in $(seq 100); do [ -S "$work/run/bus" ] && break; sleep 0.05; done

# Pixman renders, so that the screenshot has pixels; --debug lets the
# screenshot client in.
weston --backend=headless-backend.so --use-pixman --debug --socket=wayland-quiz --width=640 --height=520 \
  --idle-time=0 --no-config >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$work/run/wayland-quiz" ] && break; sleep 0.05; done
if [ ! -S "$work/run/wayland-quiz" ]; then
  echo "SKIPPED: Weston's headless backend did not start here"; cat "$work/weston.log"; exit 77
fi
export WAYLAND_DISPLAY=wayland-quiz

# Qt answers on the accessibility bus when asked to, as when a screen
# reader runs; the protocol log shows what the window asks of the compositor.
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=client \
  "$program" 2>"$work/client.log" &
pids+=($!)

answered=0
/usr/bin/python3 "$here/wayland_answer.py" 20 "$what_users_see" >"$work/answer" 2>&1 || { cat "$work/answer"; answered=1; }
if grep -q 'Could not find the Qt platform plugin "wayland"' "$work/client.log"; then
  echo "SKIPPED: not installed here: Qt's Wayland plugin (qt6-wayland)"; exit 77
fi
cat "$work/answer"
value() { sed -n "s/^$1: //p" "$work/answer"; }
protocol() { grep -oE "xdg_toplevel@[0-9]+\.$1\([^)]*\)" "$work/client.log" | sed 's/.*(\(.*\))/\1/' | sort -u; }

check "the answer went through AT-SPI to its end" '[ "$answered" -eq 0 ]'
check "the window opened on Wayland, not on X11" 'grep -q "xdg_wm_base@[0-9]*\.get_xdg_surface" "$work/client.log"'
check "the window is the quiz" '[[ $(value window) == *Kestrova ]]'
check "the window names its desktop entry, $app_id" '[ "$(protocol set_app_id)" = "\"$app_id\"" ]'
right=$(seen texts right) width=$(seen densities 0 clientWidth) height=$(seen densities 0 clientHeight)
check "a right answer is told through AT-SPI" '[[ $(value result) == "$right"\\n"Нокиа"* ]]'
check "the window's client area is $width x $height" '[ "$(value size)" = "${width}x$height" ]'
check "it asks the compositor for $width x $height at least" '[ "$(protocol set_min_size)" = "$width, $height" ]'
check "and for $width x $height at most" '[ "$(protocol set_max_size)" = "$width, $height" ]'
(cd "$work" && timeout 10 weston-screenshooter >/dev/null 2>&1 && mv wayland-screenshot-*.png "$out/kestrova-wayland.png") &&
  echo "screenshot: $out/kestrova-wayland.png"
echo "window geometry with its decoration: $(grep -oE 'xdg_surface@[0-9]+\.set_window_geometry\([^)]*\)' "$work/client.log" | sort -u | tr '\n' ' ')"
if [ "$failed" -ne 0 ]; then
  echo "--- program's output"; grep -v '^\[' "$work/client.log" | tail -20
  echo "--- weston"; tail -20 "$work/weston.log"
fi
summary
