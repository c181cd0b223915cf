#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# copyandlinks.sh PROGRAM LIST2 SCREENCHECK: the copy link and the web links of the real program
# under a private X server, with the real X clipboard and a stand-in for the desktop's opener.
#   - after entering 峰, a left click on "< 复制笔画图" leaves on the clipboard, as image/png, the
#     picture the window shows (stored picture with the grid), a middle click the same, a right
#     click the stored picture of Photo.mdb; the notice covers the picture and goes again
#   - after entering 啊, the three links hand their addresses to xdg-open, percent-encoded
#   - a paste into the result box from a clipboard that nobody ever owned (Ctrl+V, Shift+Insert,
#     a middle click) or whose owner has gone leaves the program running; a right click on the
#     copy link of a record without stored picture leaves the clipboard's text as it was
set -uo pipefail

program=$1 list2=$2 screencheck=$3

source "$(dirname "$0")/oneprogram.sh"

record_opened_addresses
# Reads the clipboard's image/png into FILE once its content differs from BEFORE (a file).
read_clipboard() { # FILE BEFORE WHAT
  wait_until "xclip -selection clipboard -t image/png -o >'$1' 2>/dev/null && [[ -s '$1' ]] && ! cmp -s '$1' '$2'" \
    || fail "no new image/png on the clipboard after the $3"
}

# 中 without a stored picture
sqlite3 "$work/Photo.mdb" "UPDATE chunks SET photo = x'' WHERE hz = '中'" || fail "cannot change the copy of Photo.mdb"

start_program

# Nothing was ever copied on this display: the clipboard and the selection have no owner and offer
# no format at all. A middle click into the result box (Text6 lies at 144,66 px at 96 dpi) pastes
# the selection and focuses the box; then Ctrl+V and Shift+Insert.
xdotool mousemove --window "$window" 300 80 click 2
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+v shift+Insert
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended on a paste from an empty clipboard"; }
xdotool key --clearmodifiers Tab # back to the input box, which has the focus at the start

# What the window should show for 峰: its stored picture with the grid ANDed in.
"$screencheck" expect "$work/Photo.mdb" 峰 "$work/framed.png" || fail "no record of 峰 in Photo.mdb"
sqlite3 -readonly "$work/Photo.mdb" "select writefile('$work/stored.png', photo) from chunks where hz = '峰'" >/dev/null
[[ -s $work/stored.png ]] || fail "no stored picture of 峰"

# the input box has the focus when the window shows
paste 峰
wait_until 'on_screen "$work/framed.png"' || fail "the picture of 峰 with its grid is not shown"
locate_links "$work/framed.png"
echo "picture at $PICTURE_AT"

# Left button: with the grid, as the window shows it.
: >"$work/none.png"
xdotool mousemove "${label1[@]}" click 1
# the notice lies over the picture for 2555 ms, ample time for one look
on_screen "$work/framed.png" && fail "no notice over the picture after the copy"
cp "$work/screen.png" "$work/notice.png"
read_clipboard "$work/left.png" "$work/none.png" "left click"
xclip -selection clipboard -t TARGETS -o | grep -qx 'image/png' || fail "image/png is not offered"
"$screencheck" same "$work/left.png" "$work/framed.png" >/dev/null || fail "the left-button copy is not the picture with its grid"
wait_until 'on_screen "$work/framed.png"' || fail "the notice did not go"

# Right button: the stored picture of Photo.mdb, without the grid.
xdotool mousemove "${label1[@]}" click 3
read_clipboard "$work/right.png" "$work/left.png" "right click"
"$screencheck" same "$work/right.png" "$work/stored.png" >/dev/null || fail "the right-button copy is not the stored picture"

# Middle button: with the grid again.
xdotool mousemove "${label1[@]}" click 2
read_clipboard "$work/middle.png" "$work/right.png" "middle click"
"$screencheck" same "$work/middle.png" "$work/framed.png" >/dev/null || fail "the middle-button copy is not the picture with its grid"

# The links for 啊: the input box now holds 峰啊, whose last character is looked up.
"$screencheck" expect "$work/Photo.mdb" 啊 "$work/ah.png" || fail "no record of 啊 in Photo.mdb"
paste 啊
wait_until 'on_screen "$work/ah.png"' || fail "the picture of 啊 is not shown"
xdotool mousemove "${label6[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log" 2>/dev/null) == 1 ]]' || fail "Label6 opened nothing"
xdotool mousemove "${label13[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log") == 2 ]]' || fail "Label13 opened nothing"
xdotool mousemove "${label5[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log") == 3 ]]' || fail "Label5 opened nothing"
# the stroke-order pages are those beside the program
expected="https://hanyu.baidu.com/s?wd=%E5%95%8A
file://$work/strokeorder/bsdh/post/%E5%95%8A.html
file://$work/strokeorder/bscx/post/%E5%95%8A.html"
[[ $(cat "$work/opened.log") == "$expected" ]] || { cat "$work/opened.log"; fail "other addresses were opened"; }

# The window went on as it was: still there, the picture of 啊 shown.
on_screen "$work/ah.png" || fail "the window changed after the links were opened"

# A right click on the copy link of 中, which has no stored picture, copies nothing and shows no
# notice: the text that was pasted stays on the clipboard.
"$screencheck" expect "$work/Photo.mdb" 中 "$work/blank.png" || fail "no record of 中 in Photo.mdb"
paste 中
wait_until 'on_screen "$work/blank.png"' || fail "the white box with the grid is not shown for 中"
xdotool mousemove "${label1[@]}" click 3
sleep 1
[[ $(xclip -selection clipboard -o 2>/dev/null) == 中 ]] || fail "the right click without a stored picture changed the clipboard"
on_screen "$work/blank.png" || fail "a notice or another picture is shown after a right click that copied nothing"

# The program that owned the clipboard ends: Ctrl+V in the result box finds no owner.
printf 'gone' | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
owner=$!
wait_until '[[ $(xclip -selection clipboard -o 2>/dev/null) == gone ]]' || fail "xclip did not take the text"
kill "$owner"
wait "$owner" 2>/dev/null
xdotool key --clearmodifiers shift+Tab ctrl+v
sleep 1
kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended on a paste after the clipboard's owner had gone"; }
[[ -z ${ZIBRIN_E2E_KEEP:-} ]] || cp "$work/notice.png" "$work/screen.png" "$ZIBRIN_E2E_KEEP/"
echo "PASS: copyandlinks"
