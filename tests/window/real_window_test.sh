#!/usr/bin/env bash
# Starts the real quiz on a private Xvfb display, answers "Nokia" /
# "Финландия" with the mouse, moves the focus to "Изведи" with Tab and clicks
# it there (the focus ring drawn over it must let the click through), reads
# the result box back through the clipboard and leaves a screenshot for a
# person to look at. Then checks
# what the window manager is told (no minimise or maximise, a fixed size),
# and opens the quiz again at 144 dpi (Qt's scale factor 1.5) to measure its
# size and focus ring there.
#   real_window_test.sh KESTROVA FORM_POSITIONS CONTRAST_RATIO OUTPUT_DIR WHAT_USERS_SEE_JSON
# Exits 77 (skipped) when a tool it needs is missing.
set -euo pipefail
source "$(dirname "$0")/../support/displays.sh"
source "$(dirname "$0")/../support/checks.sh"
program=$1 positions=$2 contrast_ratio=$3 out=$4 what_users_see=$5
require Xvfb:xvfb xdotool:xdotool xclip:xclip xprop:x11-utils import:imagemagick convert:imagemagick identify:imagemagick
mkdir -p "$out"
work=$(mktemp -d)
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

start_xvfb "$work"
unset QT_QPA_PLATFORM

start() {  # QT_SCALE_FACTOR: starts the quiz, sets wid to its window
  QT_SCALE_FACTOR=$1 "$program" 2>>"$work/stderr" &
  pids+=($!)
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name ' Kestrova$' | head -n1)
  xdotool windowfocus --sync "$wid"
}
start 1

"$positions" >"$work/positions"
scale=1
place() {  # a control's name: its x y w h on the screen now, each edge rounded
  awk -v n="$1" -v s="$scale" 'function r(v) { return int(v * s + 0.5) }
    $1 == n { printf "%d %d %d %d\n", r($2), r($3), r($2 + $4) - r($2), r($3 + $5) - r($3) }' "$work/positions"
}
click() {  # a control's name, clicked a little inside its left end
  read -r x y w h < <(place "$1")
  [ -n "${h:-}" ] || { echo "no control $1"; exit 1; }
  xdotool mousemove --sync --window "$wid" $((x + 8)) $((y + h / 2)) click 1
  sleep 0.2
}

click 'Option1(2)'
import -window "$wid" "$work/focus-on-option.png"
click 'Option2(2)'
xdotool key --clearmodifiers Tab
sleep 0.2
import -window "$wid" "$work/focus-on-evaluate.png"
click 'Command1(0)'
import -window "$wid" "$out/kestrova-linux.png"
click 'Text1(0)'
xdotool key --clearmodifiers ctrl+a ctrl+c
sleep 0.3
shown=$(timeout 5 xclip -o -selection clipboard)

right=$(seen texts right)
size="$(seen densities 0 clientWidth)x$(seen densities 0 clientHeight)"
check "a click on the focused «Изведи» tells the verdict first" '[[ $shown == "$right"$'"'"'\n'"'"'* ]]'
check "then Nokia's description" '[[ $shown == *"Нокиа (на фински: Nokia) е финландска компания"*"приблизително 30 %." ]]'
check "on two lines" '[ "$(printf "%s\n" "$shown" | wc -l)" -eq 2 ]'
# The focus indicator: `ring` px at the control's right edge, at least 3:1
# against the control's colour just inside and the frame's just outside.
rgb() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | sed -n '2s/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'; }
contrast() {  # two "r g b" colours: their WCAG contrast ratio, times 100
  # shellcheck disable=SC2086  # each colour is three numbers
  "$contrast_ratio" $1 $2
}
ring_ok() {  # picture, control name, ring width in pixels
  local x y w h
  read -r x y w h < <(place "$2")
  local mid=$((y + h / 2)) outside inside ring width=0
  outside=$(rgb "$1" $((x + w)) $mid); ring=$(rgb "$1" $((x + w - 1)) $mid)
  while [ "$width" -lt 10 ] && [ "$(rgb "$1" $((x + w - 1 - width)) $mid)" = "$ring" ]; do width=$((width + 1)); done
  inside=$(rgb "$1" $((x + w - 1 - width)) $mid)
  echo "  $2: outside ($outside), ring ($ring) $width px, inside ($inside)"
  [ "$width" -eq "$3" ] && [ "$(contrast "$ring" "$outside")" -ge 300 ] && [ "$(contrast "$ring" "$inside")" -ge 300 ]
}
check "a focused option button shows a 2 px ring of at least 3:1" 'ring_ok "$work/focus-on-option.png" "Option1(2)" 2'
check "Tab from the chosen country reaches «Изведи»" 'ring_ok "$work/focus-on-evaluate.png" "Command1(0)" 2'
check "a focused command button shows a 2 px ring of at least 3:1" 'ring_ok "$out/kestrova-linux.png" "Command1(0)" 2'
check "the screenshot is the window, $size" '[ "$(identify -format "%wx%h" "$out/kestrova-linux.png")" = "$size" ]'

# What the window manager reads: Motif's hints offer neither minimising
# (function 8, decoration 32) nor maximising (16, 64), and do not mean "all
# but these" (bit 1); the size hints fix the size.
xprop -id "$wid" _MOTIF_WM_HINTS WM_NORMAL_HINTS >"$work/hints"
read -r functions decorations < <(sed -n 's/^_MOTIF_WM_HINTS.* = 0x3, \(0x[0-9a-f]*\), \(0x[0-9a-f]*\),.*/\1 \2/p' "$work/hints")
check "no minimise or maximise function" '[ -n "$functions" ] && (( (functions & 0x19) == 0 ))'
check "no minimise or maximise button" '[ -n "$decorations" ] && (( (decorations & 0x61) == 0 ))'
check "the smallest and largest size are the window's" \
  'grep -q "minimum size: ${size/x/ by }" "$work/hints" && grep -q "maximum size: ${size/x/ by }" "$work/hints"'
echo "screenshot: $out/kestrova-linux.png"

# At 144 dpi: the density's client size and a 3 px ring.
kill "${pids[-1]}"; wait "${pids[-1]}" 2>/dev/null || true
start 1.5
scale=1.5
click 'Option1(2)'
import -window "$wid" "$work/at-144dpi.png"
size144="$(seen densities 1 clientWidth)x$(seen densities 1 clientHeight)"
check "at 144 dpi the window is $size144" '[ "$(identify -format "%wx%h" "$work/at-144dpi.png")" = "$size144" ]'
check "at 144 dpi a focused option button shows a 3 px ring of at least 3:1" \
  'ring_ok "$work/at-144dpi.png" "Option1(2)" 3'

if [ "$failed" -ne 0 ]; then
  echo "result box held: $shown"
  cat "$work/hints" "$work/stderr"
fi
summary
