#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# radical.sh PROGRAM LIST2 SCREENCHECK CARDDB: the radical index of the real program under a
# private X server, with the card.db of this build.
#   - without a display: 字 filed under 宀 with 3 strokes outside, 字 under 子 as containing it,
#     相 among the characters with 木 and 目, 说 under 讠; a part that is no radical (令): status 1
#   - Ctrl+R opens "部首检字", Esc closes it, the button 部首 opens it again
#   - 木目 in the parts field, Enter, Enter on the first character found (相) shows 相 in the
#     window: the card opened afterwards is 相's
set -uo pipefail

program=$1 list2=$2 screencheck=$3 carddb=$4

source "$(dirname "$0")/oneprogram.sh"
cp "$carddb" "$work/card.db"

bare=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe")
entry() { # entry JSON CHARACTER: "filed_here strokes_outside_radical" of the character
  python3 -c 'import json, sys
rows = [r for r in json.load(sys.stdin) if r["character"] == sys.argv[1]]
print(" ".join("%s %s" % (r["filed_here"], r["strokes_outside_radical"]) for r in rows))' "$1"
}
under=$("${bare[@]}" --radical 宀 --json | entry 字) || fail "--radical 宀 --json"
[[ $under == "True 3" ]] || fail "字 under 宀: '$under'"
contains=$("${bare[@]}" --radical 子 --json | entry 字) || fail "--radical 子 --json"
[[ $contains == "False 3" ]] || fail "字 under 子: '$contains'"
parts=$("${bare[@]}" --parts 木目) || fail "--parts 木目"
[[ $parts == *相* && $parts == *想* && $parts == *箱* && $parts == *湘* && $parts == *厢* ]] ||
  fail "--parts 木目 gave '$parts'"
shuo=$("${bare[@]}" --radical 讠) || fail "--radical 讠"
[[ $shuo == *说* ]] || fail "--radical 讠 gave no 说"
"${bare[@]}" --radical 令 >"$work/out" 2>"$work/err"; status=$?
[[ $status == 1 && ! -s $work/out && $(cat "$work/err") == *'“令”'* ]] ||
  fail "--radical 令 gave $status, '$(cat "$work/err")'"
echo "command line: 字 under 宀 ($under) and 子 ($contains); 相 of 木目; 说 of 讠"

dialog() { windows '^部首检字$' | head -1; }
start_program
xdotool windowfocus --sync "$window"
sleep 1
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+r
wait_until '[[ -n $(dialog) ]]' || { "$screencheck" grab "$work/screen.png"; shot radical-open; fail "Ctrl+R opened no 部首检字"; }
xdotool windowfocus --sync "$(dialog)" key --clearmodifiers Escape
wait_until '[[ -z $(dialog) ]]' || fail "Esc did not close 部首检字"
# 部首 ends the top row: after the link's underline (to 9330 twips), level with the input box
xdotool mousemove --window "$window" $((9330 / 15 + 30)) $(((109 + 150) / 15)) click 1
wait_until '[[ -n $(dialog) ]]' || { "$screencheck" grab "$work/screen.png"; shot radical-button; fail "部首 opened no 部首检字"; }
echo "部首检字: Ctrl+R, Esc, 部首"

# the parts field has the focus: 木目 pasted into it, Enter to the characters, Enter on the first
printf '%s' 木目 | xclip -selection clipboard -i 2>/dev/null
wait_until '[[ $(xclip -selection clipboard -o 2>/dev/null) == 木目 ]]' || fail "xclip did not take the text"
xdotool windowfocus --sync "$(dialog)" key --clearmodifiers ctrl+v
sleep 0.5
"$screencheck" grab "$work/screen.png"; shot radical-parts
xdotool windowfocus --sync "$(dialog)" key --clearmodifiers Return
sleep 0.3
xdotool windowfocus --sync "$(dialog)" key --clearmodifiers Return
sleep 0.5
[[ -n $(dialog) ]] || fail "the dialog closed on choosing a character"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+i
wait_until '[[ -n $(windows "^字卡：相\$") ]]' || { "$screencheck" grab "$work/screen.png"; shot radical-shown; fail "相 is not shown in the window"; }
echo "parts 木目: Enter on 相 shows 相"
kill -0 "$pid" 2>/dev/null || fail "the program ended"
echo "PASS: radical"
