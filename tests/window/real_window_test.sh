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
import -window "$wid" "$work/focus-on-option.png"
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
# The focus indicator: 2 px at the control's right edge, at least 3:1
# against the control's colour just inside and the frame's just outside.
rgb() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'; }
contrast() {  # two "r g b" colours: their WCAG contrast ratio, times 100
  awk -v a="$1" -v b="$2" 'function lin(c) { c /= 255; return c <= 0.03928 ? c / 12.92 : ((c + 0.055) / 1.055) ^ 2.4 }
    function lum(s,  p) { split(s, p, " "); return 0.2126 * lin(p[1]) + 0.7152 * lin(p[2]) + 0.0722 * lin(p[3]) }
    BEGIN { x = lum(a) + 0.05; y = lum(b) + 0.05; printf "%d", (x > y ? x / y : y / x) * 100 }'
}
ring_ok() {  # picture, control name
  local x y w h
  read -r x y w h < <(awk -v n="$2" '$1 == n { print $2, $3, $4, $5 }' "$work/positions")
  local mid=$((y + h / 2)) outside inside ring1 ring2
  outside=$(rgb "$1" $((x + w)) $mid); ring1=$(rgb "$1" $((x + w - 1)) $mid); ring2=$(rgb "$1" $((x + w - 2)) $mid)
  inside=$(rgb "$1" $((x + w - 5)) $mid)
  echo "  $2: outside ($outside), ring ($ring1) ($ring2), inside ($inside)"
  [ "$ring1" = "$ring2" ] && [ "$(contrast "$ring1" "$outside")" -ge 300 ] && [ "$(contrast "$ring1" "$inside")" -ge 300 ]
}
check "a focused option button shows a 2 px ring of at least 3:1" 'ring_ok "$work/focus-on-option.png" "Option1(2)"'
check "a focused command button shows a 2 px ring of at least 3:1" 'ring_ok "$out/kestrova-linux.png" "Command1(0)"'
check "the screenshot is the window" '[ "$(identify -format "%wx%h" "$out/kestrova-linux.png")" = 461x382 ]'
echo "screenshot: $out/kestrova-linux.png"
if [ $fail -ne 0 ]; then
  echo "result box held: $shown"
  cat "$work/stderr"
fi
exit $fail
