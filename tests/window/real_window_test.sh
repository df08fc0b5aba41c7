#!/usr/bin/env bash
# Starts the real quiz on a private Xvfb display, answers "Nokia" /
# "Финландия" / "Изведи" with the mouse, reads the result box back through
# the clipboard and leaves a screenshot for a person to look at.
#   real_window_test.sh KESTROVA FORM_POSITIONS OUTPUT_DIR
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
program=$1 positions=$2 out=$3
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

start_xvfb "$work"
unset QT_QPA_PLATFORM

"$program" 2>"$work/stderr" &
pids+=($!)
wid=$(timeout 20 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
xdotool windowfocus --sync "$wid"

"$positions" >"$work/positions"
click() {  # a control's name, clicked a little inside its left end
  read -r x y w h < <(awk -v n="$1" '$1 == n { print $2, $3, $4, $5 }' "$work/positions")
  [ -n "${h:-}" ] || { echo "no control $1"; exit 1; }
  xdotool mousemove --sync --window "$wid" $((x + 8)) $((y + h / 2)) click 1
  sleep 0.2
}

click 'Option1(2)'
click 'Option2(2)'
click 'Command1(0)'
import -window "$wid" "$out/kestrova-linux.png"
click 'Text1(0)'
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 0.3
shown=$(timeout 5 xclip -o -selection clipboard)

fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; fail=1; fi; }
check "the verdict comes first" '[[ $shown == "Браво! Позна."$'"'"'\n'"'"'* ]]'
check "then Nokia's description" '[[ $shown == *"Нокиа (на фински: Nokia) е финландска компания"*"приблизително 30 %." ]]'
check "on two lines" '[ "$(printf "%s\n" "$shown" | wc -l)" -eq 2 ]'
check "the screenshot is the window" '[ "$(identify -format "%wx%h" "$out/kestrova-linux.png")" = 461x382 ]'
echo "screenshot: $out/kestrova-linux.png"
if [ $fail -ne 0 ]; then
  echo "result box held: $shown"
  cat "$work/stderr"
fi
exit $fail
