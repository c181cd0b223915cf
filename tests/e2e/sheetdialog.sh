#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# sheetdialog.sh PROGRAM LIST2 SCREENCHECK: the 练字帖 dialog's choices under a private X server
# and a private configuration folder:
#   - choosing 看拼音写词语 in its first field redraws the dialog (the preview follows)
#   - a title typed, the dialog closed and opened again: the title and the sheet are kept, in the
#     configuration folder alone, and a PDF saved then is the dictation sheet with that title
set -euo pipefail
program=$1 list2=$2 screencheck=$3
source "$(dirname "$0")/oneprogram.sh"
command -v pdftotext >/dev/null || fail "pdftotext is missing (tools/setup.sh installs poppler-utils)"

export HOME=$work/home XDG_CONFIG_HOME=$work/config
mkdir "$HOME" "$XDG_CONFIG_HOME"
cd "$work"

# the window's twips at Xvfb's 96 dpi: Command10 at 9024,672, 615 x 300
click_sheet_button() { xdotool mousemove --window "$window" $(((9024 + 307) / 15)) $(((672 + 150) / 15)) click 1; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
open_dialog() {
  click_sheet_button
  wait_until '[[ -n $(window_named 练字帖) ]]' || fail "no dialog 练字帖"
  dialog=$(window_named 练字帖)
  sleep 1
}
# Text pasted over the focused field of the dialog (typing CJK with xdotool is unreliable).
paste_into_dialog() {
  pasted=$1
  printf '%s' "$pasted" | xclip -selection clipboard -i 2>/dev/null
  wait_until '[[ $(xclip -selection clipboard -o 2>/dev/null) == "$pasted" ]]' || fail "xclip did not take the text"
  xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+a ctrl+v
}

start_program
xdotool windowfocus --sync "$window"
sleep 1
paste 永
sleep 0.5
open_dialog
"$screencheck" grab "$work/practice.png"; cp "$work/practice.png" "$work/screen.png"; shot sheetdialog-practice

# the dialog opens with its first field, the sheet choice, focused: Down picks 看拼音写词语
xdotool windowfocus --sync "$dialog" key --clearmodifiers Down
sleep 1
"$screencheck" grab "$work/dictation.png"; cp "$work/dictation.png" "$work/screen.png"; shot sheetdialog-dictation
! "$screencheck" same "$work/practice.png" "$work/dictation.png" >/dev/null || fail "the sheet choice changed nothing on the screen"

# Tab order: the sheet, the words, 用字卡的第一个词, the grid, the cell size, then (the practice
# sheet's rows hidden) the title
xdotool windowfocus --sync "$dialog" key --clearmodifiers --delay 80 Tab Tab Tab Tab Tab
paste_into_dialog 第三课听写
sleep 0.5
xdotool windowfocus --sync "$dialog" key --clearmodifiers Escape
wait_until '[[ -z $(window_named 练字帖) ]]' || fail "Esc did not close the dialog"
# QSettings writes under a lock file of its own, gone once the settings are on disk
wait_until '[[ -n $(find "$XDG_CONFIG_HOME" -type f) && -z $(find "$XDG_CONFIG_HOME" -name "*.lock") ]]' ||
    fail "the settings were not written: $(find "$XDG_CONFIG_HOME")"
conf=$(find "$XDG_CONFIG_HOME" -type f)
[[ $(wc -l <<<"$conf") == 1 && -n $conf ]] || fail "settings files: '$conf'"
grep -q '^title=第三课听写$' "$conf" || fail "the title is not kept in $conf: $(cat "$conf")"
grep -q '^sheet=1$' "$conf" || fail "the sheet is not kept in $conf: $(cat "$conf")"

open_dialog
xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+s
wait_until '[[ -n $(window_named "保存为 PDF") ]]' || fail "no save dialog"
sleep 0.5
xdotool windowfocus --sync "$(window_named "保存为 PDF")" key --clearmodifiers ctrl+a
xdotool type --delay 30 "$work/saved.pdf"
xdotool key Return
wait_until '[[ -s $work/saved.pdf ]] && pdftotext "$work/saved.pdf" - >/dev/null 2>&1' || fail "no PDF saved"
text=$(pdftotext "$work/saved.pdf" -)
[[ $text == *第三课听写* ]] || fail "the title was not kept: $text"
[[ $text != *部首* ]] || fail "the practice sheet was saved, not the dictation sheet: $text"

kill "$pid"; wait "$pid" 2>/dev/null || true
pid=
# nothing in the home folder: the settings live in the configuration folder
left=$(find "$HOME" -mindepth 1 | head -5)
[[ -z $left ]] || fail "written into the home folder: $left"
echo "PASS: sheetdialog"
