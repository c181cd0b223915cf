#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# sheet.sh PROGRAM LIST2 SCREENCHECK: the 字帖 button opens 练字帖 for the shown character with
# its preview; Ctrl+P prints through the system's print dialog to its PDF file printer, Ctrl+S
# saves a PDF through the save dialog; no settings are written into the user's home.
set -euo pipefail
program=$1 list2=$2 screencheck=$3
source "$(dirname "$0")/oneprogram.sh"
command -v pdfinfo >/dev/null || fail "pdfinfo is missing (tools/setup.sh installs poppler-utils)"

export HOME=$work/home
unset XDG_CONFIG_HOME
mkdir "$HOME"
cd "$work"

# the window's twips at Xvfb's 96 dpi: Command10 at 9024,672, 615 x 300
click_sheet_button() { xdotool mousemove --window "$window" $(((9024 + 307) / 15)) $(((672 + 150) / 15)) click 1; }
window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1; }
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ { print $2 }'; }

start_program
xdotool windowfocus --sync "$window"
sleep 1
paste 永
sleep 0.5
click_sheet_button
wait_until '[[ -n $(window_named 练字帖) ]]' || fail "no dialog 练字帖"
dialog=$(window_named 练字帖)
sleep 1
"$screencheck" grab "$work/screen.png"; shot sheet-dialog

# the system's print dialog; its default printer here writes a PDF into the home folder
xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+p
wait_until '[[ -n $(window_named 打印练字帖) ]]' || fail "no print dialog"
sleep 0.5
"$screencheck" grab "$work/screen.png"; shot sheet-print-dialog
xdotool windowfocus --sync "$(window_named 打印练字帖)" key --clearmodifiers Return
printed=$HOME/练字帖-永.pdf
wait_until '[[ $(pages "$printed") == 1 ]]' || fail "nothing printed to $printed"

xdotool windowfocus --sync "$dialog" key --clearmodifiers ctrl+s
wait_until '[[ -n $(window_named "保存为 PDF") ]]' || fail "no save dialog"
sleep 0.5
xdotool windowfocus --sync "$(window_named "保存为 PDF")" key --clearmodifiers ctrl+a
xdotool type --delay 30 "$work/saved.pdf"
xdotool key Return
wait_until '[[ $(pages "$work/saved.pdf") == 1 ]]' || fail "no PDF saved"
pdfinfo "$work/saved.pdf" | grep -q 'A4' || fail "the saved PDF is not A4"

kill "$pid"; wait "$pid" 2>/dev/null || true
pid=
# no settings: the home folder holds the printed PDF alone
left=$(find "$HOME" -mindepth 1 ! -path "$printed" | head -5)
[[ -z $left ]] || fail "written into the home folder: $left"
echo "PASS: sheet"
