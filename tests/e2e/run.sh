#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run.sh CASE PROGRAM LIST2: one end-to-end case of the program under a private X server.
#   window-shows   the program starts and shows its window
#   second-start   a second start ends with status 0 and leaves the first window alone
#   missing-list2  without LIST2.txt an error box is shown; closing it ends the program, status not 0
#   missing-photo  without Photo.mdb the program starts, completes its start-up and keeps running
#   lookup         typing 峰 shows its picture with the grid; a character without record hides it
#   list2-empty, list2-unreadable: the error box, then the end with a status other than 0
#   list2-corrupt  bytes that are not GBK text: the program runs with what it could read
#   photo-empty, photo-unreadable, photo-corrupt: the program runs and looks up without records;
#                  an empty or unreadable file is named in a warning on standard error
# In every case the program writes nothing to LIST2.txt or Photo.mdb (their hashes stay).
set -uo pipefail

case_name=$1 binary=$2 list2=$3 screencheck=${4:-}

# The copies are made here: some cases leave a file out or spoil it.
program=
source "$(dirname "$0")/oneprogram.sh"

cp "$binary" "$exe"
[[ $case_name == missing-list2 ]] || cp "$list2" "$work/LIST2.txt"
photo=$(dirname "$binary")/Photo.mdb
[[ $case_name == missing-photo || ! -f $photo ]] || cp "$photo" "$work/Photo.mdb"

# Unreadable files: root reads every file whatever its mode, so as root the program runs as
# nobody, with a copy of the X server's key and a runtime folder of its own.
case $case_name in
list2-*) target=$work/LIST2.txt ;;
photo-*) target=$work/Photo.mdb ;;
*) target= ;;
esac
case $case_name in
*-empty) : >"$target" ;;
# LIST2.txt: bytes that are no GBK text; Photo.mdb: the real file's first 40 KiB, then noise
list2-corrupt) printf '\x81\x20\xff\xfe\x00\x80,\r\n' >"$target" ;;
photo-corrupt) head -c 40960 "$photo" >"$target" && head -c 100000 /dev/urandom >>"$target" ;;
esac
if [[ $case_name == *-unreadable ]]; then
  chmod 000 "$target"
  if [[ $(id -u) == 0 ]]; then
    chmod 755 "$work"
    cp "${XAUTHORITY:-$HOME/.Xauthority}" "$work/Xauthority" && chmod 644 "$work/Xauthority"
    export XAUTHORITY=$work/Xauthority
    chown nobody "$XDG_RUNTIME_DIR"
    run_as=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
fi

hashes() { (cd "$work" && sha256sum LIST2.txt Photo.mdb 2>/dev/null); }

main_window='^Zibrin$'
error_box='^Zibrin - '

case $case_name in
window-shows)
  start_program
  xdotool getwindowgeometry "$window"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "more than one main window"
  ;;
second-start)
  start_program
  first=$pid
  timeout 20 "$exe" >"$work/second.log" 2>&1
  status=$?
  [[ $status == 0 ]] || { cat "$work/second.log"; fail "the second start ended with status $status"; }
  kill -0 "$first" 2>/dev/null || fail "the first copy has gone"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "not exactly one window after the second start"
  ;;
missing-photo)
  [[ ! -e $work/Photo.mdb ]] || fail "fixture: Photo.mdb present"
  start_program
  # start-up completion runs at the first tick after showing; give it ample time to have run
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended"; }
  [[ -z $(windows "$error_box") ]] || fail "an error box was shown"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "the window is not shown"
  ;;
lookup)
  [[ -f $work/Photo.mdb ]] || fail "fixture: no Photo.mdb in the build"
  start_program
  "$screencheck" expect "$work/Photo.mdb" 峰 "$work/feng.png" || fail "no record of 峰 to compare with"
  # the input box has the focus when the window shows
  xdotool windowfocus --sync "$window"
  paste 峰
  sleep 1
  "$screencheck" grab "$work/screen.png"
  "$screencheck" find "$work/screen.png" "$work/feng.png" || fail "the picture of 峰 with its grid is not on the screen"
  xdotool type --delay 100 a
  sleep 1
  "$screencheck" grab "$work/screen.png"
  ! "$screencheck" find "$work/screen.png" "$work/feng.png" >/dev/null || fail "the picture stayed for a character without record"
  ;;
missing-list2|list2-empty|list2-unreadable)
  before=$(hashes)
  launch
  wait_for_window "$error_box"
  [[ -n $(xdotool search --name "$main_window") ]] || fail "the main window was not made before the error"
  box=$(windows "$error_box" | head -1)
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after the error box"
  wait "$pid"
  status=$?
  pid=
  [[ $status != 0 ]] || fail "the program ended with status 0"
  echo "ended with status $status"
  [[ $(hashes) == "$before" ]] || fail "a data file changed"
  ;;
list2-corrupt|photo-empty|photo-unreadable|photo-corrupt)
  before=$(hashes)
  start_program
  xdotool windowfocus --sync "$window"
  paste 峰中
  sleep 1
  kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended"; }
  [[ -z $(windows "$error_box") ]] || fail "an error box was shown"
  if [[ $case_name == photo-* ]]; then
    "$screencheck" expect "$photo" 峰 "$work/feng.png" || fail "no record of 峰 in the build's Photo.mdb"
    "$screencheck" grab "$work/screen.png"
    ! "$screencheck" find "$work/screen.png" "$work/feng.png" >/dev/null || fail "a picture was shown without a readable database"
  fi
  if [[ $case_name == photo-empty || $case_name == photo-unreadable ]]; then
    grep -q '^zibrin: record store: ' "$work/out.log" || { cat "$work/out.log"; fail "no warning about Photo.mdb on standard error"; }
  fi
  [[ $(hashes) == "$before" ]] || fail "a data file changed"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
