#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# search.sh PROGRAM LIST2 SCREENCHECK SEGMENT: the stroke and pinyin searches of the real program
# under a private X server.
#   - picking 丨 乙 丨 丿 丨 in the five stroke drop-downs shows the picture of 峰 with its grid, and
#     the result box, which then holds the focus, lists 峰 刿 峁 峤 峥 嵛
#   - typing zhuang into the pinyin box lists the characters of that syllable as SEGMENT (the
#     pinyin table's segment y-z) holds them, and shows the first one
# The result box is read through the clipboard (Ctrl+A, Ctrl+C in the box).
set -uo pipefail

program=$1 list2=$2 screencheck=$3 segment=$4

source "$(dirname "$0")/oneprogram.sh"

start_program
xdotool windowfocus --sync "$window"
# start-up completion fills the stroke lists at the first tick after showing
sleep 1

"$screencheck" expect "$work/Photo.mdb" 峰 "$work/feng.png" || fail "no record of 峰 to compare with"
! on_screen "$work/feng.png" || fail "峰 is shown before any search"

# A pick: a click on the drop-down's arrow opens its list, Home, Down and Enter choose the item.
# The drop-downs lie at these places of the window (twips, 15 to a pixel at the 96 dpi of Xvfb);
# the arrow is at the right end. Rows of the lists: 一 0, 丨 1, 丿 2, 丶 3, 乙 4.
combo_left=(3072 3991 4910 5829 6750) combo_top=(672 684 684 684 684)
pick() { # pick COMBO ROW
  local x=$(((combo_left[$1 - 1] + 855 - 120) / 15)) y=$(((combo_top[$1 - 1] + 150) / 15))
  xdotool mousemove --window "$window" $x $y click 1
  sleep 0.3
  keys Home $(for _ in $(seq "$2"); do printf 'Down '; done) Return
  sleep 0.3
}
pick 1 1 # 丨
pick 2 4 # 乙
pick 3 1 # 丨
pick 4 2 # 丿
pick 5 1 # 丨
wait_until 'on_screen "$work/feng.png"' || { shot search-strokes; fail "the picture of 峰 with its grid is not on the screen"; }
shot search-strokes
listed=$(result_box)
[[ $listed == "峰 刿 峁 峤 峥 嵛 " ]] || fail "the result box lists '$listed' after 丨 乙 丨 丿 丨"
echo "strokes: '$listed'"

# Shift+Tab from the result box reaches the pinyin box, whose text is selected on entry.
keys shift+Tab
xdotool type --delay 120 zhuang
sleep 0.5
"$screencheck" expect "$work/Photo.mdb" 幢 "$work/zhuang.png" || fail "no record of 幢 to compare with"
wait_until 'on_screen "$work/zhuang.png"' || { shot search-pinyin; fail "the picture of 幢 with its grid is not on the screen"; }
shot search-pinyin
# rows of the segment: the character, the syllable in six columns, CR LF
expected=$(sed -n 's/^\(.*\)zhuang\r$/\1 /p' "$segment" | tr -d '\n')
[[ $expected == 幢\ * ]] || fail "fixture: the table does not list 幢 first for zhuang"
keys Tab
listed=$(result_box)
[[ $listed == "$expected" ]] || fail "the result box lists '$listed' after zhuang, not '$expected'"
echo "pinyin: '$listed'"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "PASS: search"
