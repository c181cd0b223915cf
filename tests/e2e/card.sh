#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# card.sh PROGRAM LIST2 SCREENCHECK CARDDB: the character card of the real program under a
# private X server, with the card.db of this build.
#   - zibrin --card prints the card without a display: 行's two readings in JSON, each with its
#     own words (银行 under háng), and a message
#     with exit status 1 for a character without a card while the others are printed
#   - Ctrl+I opens "字卡：峰" beside the window; Esc closes it; the link 字卡 opens it again
#   - the card follows the window: 山 pasted makes it "字卡：山", 十 written in the pad makes it
#     the card of the first candidate
#   - the pinyin ni shows 呢 with its readings ní ne in the panel, ní first
set -uo pipefail

program=$1 list2=$2 screencheck=$3 carddb=$4

source "$(dirname "$0")/oneprogram.sh"
cp "$carddb" "$work/card.db"

# the command line with the display taken away
bare=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe")
json=$("${bare[@]}" --card 行 --json) || fail "--card 行 --json"
readings=$(printf '%s' "$json" | python3 -c 'import json, sys
card = json.load(sys.stdin)
print(" ".join(r["pinyin"] for r in card["readings"]))
# the words of each reading hold the character in that reading: 银行 under háng
fits = all(r["pinyin"] in w["pinyin"] for r in card["readings"] for w in r["words"])
print(fits, any(w["word"] == "银行" for w in card["readings"][1]["words"]))')
[[ $readings == $'xíng háng\nTrue True' ]] || fail "行 reads '$readings'"
text=$("${bare[@]}" --card 'x山' 2>"$work/err"); status=$?
[[ $status == 1 && $text == 山\ shān* && $(cat "$work/err") == *'“x”'* ]] ||
  fail "--card x山 gave $status, '$text', '$(cat "$work/err")'"
echo "command line: 行 $(printf '%s' "$readings" | head -1)"

card_window() { xdotool search --onlyvisible --name "^字卡：$1\$" 2>/dev/null | head -1; }
wait_for_card() {
  awaited=$1
  wait_until '[[ -n $(card_window "$awaited") ]]' || { "$screencheck" grab "$work/screen.png"; shot "card-$1"; fail "no window 字卡：$1"; }
}

start_program
xdotool windowfocus --sync "$window"
sleep 1
paste 峰
sleep 0.5
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+i
wait_for_card 峰
card=$(card_window 峰)
eval "$(xdotool getwindowgeometry --shell "$window" | sed 's/^/main_/')"
eval "$(xdotool getwindowgeometry --shell "$card" | sed 's/^/card_/')"
echo "main window ${main_WIDTH}x${main_HEIGHT}+${main_X}+${main_Y}, card ${card_WIDTH}x${card_HEIGHT}+${card_X}+${card_Y}"
# beside the window, not over the picture (Frame1 at 2160 twips, the picture within its first
# 5871)
((card_X >= main_X + (2160 + 5871) / 15 || card_X + card_WIDTH <= main_X)) || fail "the card covers the picture"
sleep 0.5
"$screencheck" grab "$work/screen.png"; shot card-feng

xdotool windowfocus --sync "$card" key --clearmodifiers Escape
wait_until '[[ -z $(card_window 峰) ]]' || fail "Esc did not close the card"
# the link 字卡, below 笔顺动画、读音 in the column of links: 3473 twips from Frame1's top,
# the column at 6423, Frame1 at 2160,1620
xdotool mousemove --window "$window" $(((2160 + 6423) / 15 + 8)) $(((1620 + 3473) / 15 + 6)) click 1
wait_for_card 峰

paste 山
wait_for_card 山
echo "card: 峰, then 山"

# the pinyin box: Shift+Tab from the input box's neighbours is long; a click into its edit field
xdotool mousemove --window "$window" $(((288 + 700) / 15)) $(((650 + 150) / 15)) click 1
sleep 0.3
keys ctrl+a
xdotool type --delay 120 ni
wait_for_card 呢
"$screencheck" label "ní ne" 18 "$work/ni-ne.png" || fail "no picture of the text ní ne"
wait_until 'on_screen "$work/ni-ne.png"' || { shot card-ni; fail "the panel does not show ní ne"; }
shot card-ni
echo "pinyin ni: 呢, ní ne"

# 十 written in the pad: the card follows to the first candidate
open_pad
stroke 40 130 80 129 120 128 160 128 200 129 240 130 260 131
stroke 150 30 150 70 150 110 150 150 149 190 149 230 148 275
card_title() { xdotool getwindowname "$(xdotool search --onlyvisible --name '^字卡：' 2>/dev/null | head -1)" 2>/dev/null; }
wait_until '[[ $(card_title) == 字卡：* && $(card_title) != 字卡：呢 ]]' || fail "the card stayed on 呢 after 十 was written"
title=$(card_title)
"$screencheck" grab "$work/screen.png"; shot card-handwritten
echo "handwritten: $title"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "PASS: card"
