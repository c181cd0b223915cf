#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# installed.sh BUILD SCREENCHECK: the program installed with cmake --install into a temporary
# prefix and started through the link PREFIX/bin/zibrin under a private X server:
#   - --version and --help answer without a display, and so does an unknown option (status 1)
#   - 峰 shows its picture; Label13 opens the installed animation page's file:// address, and
#     Label5 the practice page; with no picture shown Label5 opens the query page's index.html
#   - a second start through the link ends at once and leaves one window
set -uo pipefail

build=$1 screencheck=$2
program= # not copied: the installed program runs in place

source "$(dirname "$0")/oneprogram.sh"

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install failed"; }
exe=$prefix/bin/zibrin
folder=$prefix/lib/zibrin
[[ -L $exe && -x $exe ]] || fail "bin/zibrin is not a link to the program"
pages=$folder/strokeorder

version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --version 2>&1) || fail "--version failed: $version"
[[ $version =~ ^Zibrin\ [0-9] ]] || fail "--version printed: $version"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --help 2>&1) || fail "--help failed: $help"
[[ $help == *--version* && $help == *character* ]] || fail "--help did not list the options and the argument: $help"
refused=$(env -u DISPLAY -u WAYLAND_DISPLAY "$exe" --bogus 2>&1)
status=$?
[[ $status == 1 && $refused == *"Unknown option 'bogus'"* ]] || fail "--bogus without a display: status $status, $refused"

record_opened_addresses
start_program

"$screencheck" expect "$folder/Photo.mdb" 峰 "$work/feng.png" || fail "no record of 峰 in the installed Photo.mdb"
paste 峰
wait_until 'on_screen "$work/feng.png"' || fail "the picture of 峰 is not shown"
locate_links "$work/feng.png"

xdotool mousemove "${label13[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log" 2>/dev/null) == 1 ]]' || fail "Label13 opened nothing"
xdotool mousemove "${label5[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log") == 2 ]]' || fail "Label5 opened nothing"
# a character without a record hides the picture: Label5 then opens the query page
xdotool windowfocus --sync "$window" key --clearmodifiers End
paste a
wait_until '! on_screen "$work/feng.png"' || fail "the picture stayed for a"
# a second click at the same place within the double-click time would be a double click, which
# is no click
sleep 0.5
xdotool mousemove "${label5[@]}" click 1
wait_until '[[ $(wc -l <"$work/opened.log") == 3 ]]' || fail "Label5 opened nothing without a picture"

base=file://$pages
expected="$base/bsdh/post/%E5%B3%B0.html
$base/bscx/post/%E5%B3%B0.html
$base/bscx/index.html"
[[ $(cat "$work/opened.log") == "$expected" ]] || { cat "$work/opened.log"; fail "other addresses were opened"; }
[[ -f $pages/bsdh/post/峰.html && -f $pages/bscx/post/峰.html && -f $pages/bscx/index.html ]] \
  || fail "the opened pages are not installed"

timeout 20 "$exe" >"$work/second.log" 2>&1 || { cat "$work/second.log"; fail "the second start did not end with status 0"; }
kill -0 "$pid" 2>/dev/null || fail "the first copy has gone"
[[ $(xdotool search --onlyvisible --name '^Zibrin$' | wc -l) == 1 ]] || fail "not exactly one window after the second start"
echo "PASS: installed"
