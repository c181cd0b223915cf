#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# handwriting.sh PROGRAM LIST2 SCREENCHECK: handwriting input in the real program under a private
# X server.
#   - a click on 手写 opens the pad "手写输入" beside the main window, not over its picture
#   - 十 and then 人, drawn with the mouse in the writing area (重写 between them), each put their
#     character among the candidates in the result box and show the first candidate's record
#   - a box of 丨 𠃍 一 at three sizes (half the writing area, 70%, 90%) gives 口 first, 囗 after
#   - a scribble (one stroke, 30 turns, about 150 points) leaves the program alive with its peak
#     resident size under 150 MiB (400 MiB under AddressSanitizer); after 退一笔 the pad reads 十 again
#   - with the model missing, the program starts, the pad opens and a lookup still works
# The result box is read through the clipboard (Ctrl+A, Ctrl+C in the box).
set -uo pipefail

program=$1 list2=$2 screencheck=$3

source "$(dirname "$0")/oneprogram.sh"


# Under AddressSanitizer the program is several times slower: the first list (which reads the
# matcher's data) takes over a second to come, and its shadow memory and quarantine roughly double
# what the program holds (237 MiB seen after the scribble; the runaway guarded against took
# gigabytes).
settle=6 limit=150
# grep reads all of ldd's output: with -q it could stop early and fail the pipe (pipefail)
if ldd "$exe" 2>/dev/null | grep libasan >/dev/null; then limit=400; fi
# The result box's text: a click into it, then select all and copy.
clicked_result_box() {
  click_main $((2160 + 200)) $((990 + 540))
  result_box
}
# The character is among the candidates and the first candidate's record is shown. Reading the
# result box moves its caret, which looks up another character: so the screen is taken first (the
# record is shown before the end of the stroke's handling, the grid 11 ms later), the list read
# after, and the first candidate's picture with its grid looked for in that screen. With a third
# argument "first", the character must be the first candidate.
expect_character() {
  local character=$1 name=$2 place=${3:-} listed first
  sleep "$settle"
  "$screencheck" grab "$work/drawn.png" || fail "no screen grab"
  cp "$work/drawn.png" "$work/screen.png"
  shot "handwriting-$name"
  listed=$(clicked_result_box)
  [[ $listed == *"$character "* ]] || fail "$character is not among the candidates '$listed'"
  echo "$character: '$listed'"
  listed_all=$listed
  first=${listed:0:1}
  [[ $place != first || $first == "$character" ]] || fail "$character is not the first candidate in '$listed'"
  "$screencheck" expect "$work/Photo.mdb" "$first" "$work/first.png" || fail "no record of $first to compare with"
  "$screencheck" find "$work/drawn.png" "$work/first.png" >/dev/null || fail "the picture of $first, the first candidate, was not shown"
}
# A record is shown: its picture with the grid comes on the screen.
record_shown() {
  "$screencheck" expect "$work/Photo.mdb" "$1" "$work/expected.png" || fail "no record of $1 to compare with"
  wait_until 'on_screen "$work/expected.png"' || { shot "handwriting-missing-$1"; fail "the picture of $1 is not on the screen"; }
}

start_program
xdotool windowfocus --sync "$window"
sleep 1
open_pad
eval "$(xdotool getwindowgeometry --shell "$window" | sed 's/^/main_/')"
eval "$(xdotool getwindowgeometry --shell "$pad" | sed 's/^/pad_/')"
echo "main window ${main_WIDTH}x${main_HEIGHT}+${main_X}+${main_Y}, pad ${pad_WIDTH}x${pad_HEIGHT}+${pad_X}+${pad_Y}"
# right of the window, or where the screen has no room there left of it, short of the panel
# with the picture (Frame1 at 2160 twips)
((pad_X >= main_X + main_WIDTH || pad_X + pad_WIDTH <= main_X + 2160 / 15)) || fail "the pad covers the picture"

# 十: the horizontal, then the vertical.
stroke 40 130 80 129 120 128 160 128 200 129 240 130 260 131
stroke 150 30 150 70 150 110 150 150 149 190 149 230 148 275
expect_character 十 shi

# 重写, then 人: the left-falling stroke, then the right-falling one.
xdotool mousemove --window "$pad" 225 $((300 + 10)) click 1
sleep 0.3
stroke 145 45 148 65 140 100 122 140 96 175 70 200 40 225 22 236
stroke 138 125 145 137 168 167 200 204 235 228 285 238
expect_character 人 ren

# A box as a hand draws it, 丨 then 𠃍 then 一, spanning 50%, 70% and 90% of the writing area:
# 口 first, 囗 (the rare enclosing radical) after it.
for span in 50 70 90; do
  xdotool mousemove --window "$pad" 225 $((300 + 10)) click 1
  sleep 0.3
  a=$((150 - 3 * span / 2)) b=$((150 + 3 * span / 2)) m=150
  stroke $a $a $a $(((a + m) / 2)) $a $m $a $(((m + b) / 2)) $a $b
  stroke $a $a $(((a + m) / 2)) $a $m $a $(((m + b) / 2)) $a $b $a $b $(((a + m) / 2)) $b $m $b $(((m + b) / 2)) $b $b
  stroke $a $b $(((a + m) / 2)) $b $m $b $(((m + b) / 2)) $b $b $b
  expect_character 口 box-$span first
  [[ $listed_all == *"囗 "* ]] || fail "囗 is not among the candidates for a box at $span%: '$listed_all'"
done

# 十's first stroke and a scribble (30 turns back and forth, 5 points a pass); then 退一笔 and
# 十's second stroke.
xdotool mousemove --window "$pad" 225 $((300 + 10)) click 1
sleep 0.3
stroke 40 130 80 129 120 128 160 128 200 129 240 130 260 131
points=()
for pass in $(seq 0 30); do
  for i in 0 1 2 3 4; do
    if ((pass % 2)); then x=$((260 - 44 * i)); else x=$((40 + 44 * i)); fi
    points+=("$x" $((40 + 7 * pass + i)))
  done
done
stroke "${points[@]}"
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended after a scribble"; }
peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
echo "after the scribble: peak resident size $((peak / 1024)) MiB"
((peak < limit * 1024)) || fail "peak resident size $((peak / 1024)) MiB after a scribble (bound $limit MiB)"
xdotool mousemove --window "$pad" 75 $((300 + 10)) click 1
sleep 0.3
stroke 150 30 150 70 150 110 150 150 149 190 149 230 148 275
expect_character 十 shi-after-scribble

# Without the model: the program starts, the pad opens, a lookup shows its record.
kill "$pid"; wait "$pid" 2>/dev/null
ZIBRIN_HANDWRITING_MODEL=$work/no-such.model start_program
xdotool windowfocus --sync "$window"
sleep 1
open_pad
"$screencheck" grab "$work/screen.png"; shot handwriting-no-model
stroke 40 130 160 128 260 131
kill -0 "$pid" 2>/dev/null || fail "the program ended without a model"
click_main 3000 250
paste 峰
record_shown 峰
echo "PASS: handwriting"
