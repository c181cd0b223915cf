#!/usr/bin/env bash
# run.sh CASE PROGRAM LIST2: one end-to-end case of the program under a private X server.
#   window-shows   the program starts and shows its window
#   second-start   a second start ends with status 0 and leaves the first window alone
#   missing-list2  without LIST2.txt an error box is shown; closing it ends the program, status not 0
#   missing-photo  without Photo.mdb the program starts, completes its start-up and keeps running
#   lookup         typing 峰 shows its picture with the grid; a character without record hides it
#   list2-empty, list2-unreadable: the error box, then the end with a status other than 0
#   list2-corrupt  bytes that are not GBK text: the program runs with what it could read
#   photo-empty, photo-unreadable, photo-corrupt: the program runs and looks up without records
# In every case the program writes nothing to LIST2.txt or Photo.mdb (their hashes stay).
set -uo pipefail

case_name=$1 program=$2 list2=$3 screencheck=${4:-}

if [[ ${ZIBRIN_E2E_INSIDE:-} != 1 ]]; then
  if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null; then
    echo "SKIP: Xvfb is not installed"
    exit 77
  fi
  if ! xvfb-run -a true >/dev/null 2>&1; then
    echo "SKIP: Xvfb cannot be started here"
    exit 77
  fi
  ZIBRIN_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

command -v xdotool >/dev/null || { echo "FAIL: xdotool is missing (tools/setup.sh installs it)"; exit 1; }

# X and font libraries keep memory to the end of the process; leaks are the unit suites' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset QT_QPA_PLATFORM

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# A copy of the program in its own folder, with its own runtime folder for the instance lock.
cp "$program" "$work/zibrin"
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
[[ $case_name == missing-list2 ]] || cp "$list2" "$work/LIST2.txt"
photo=$(dirname "$program")/Photo.mdb
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
as_user=()
if [[ $case_name == *-unreadable ]]; then
  chmod 000 "$target"
  if [[ $(id -u) == 0 ]]; then
    chmod 755 "$work"
    cp "${XAUTHORITY:-$HOME/.Xauthority}" "$work/Xauthority" && chmod 644 "$work/Xauthority"
    export XAUTHORITY=$work/Xauthority
    chown nobody "$XDG_RUNTIME_DIR"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  fi
fi

start() {
  "${as_user[@]}" "$work/zibrin" >"$work/out.log" 2>&1 &
  pids+=($!)
  started=$!
}

# Chinese text goes in by pasting: xdotool's typing of CJK loses keys when the program is slow.
paste() {
  printf '%s' "$1" | xclip -selection clipboard -i 2>/dev/null
  for _ in $(seq 50); do
    [[ $(xclip -selection clipboard -o 2>/dev/null) == "$1" ]] && break
    sleep 0.1
  done
  xdotool key --clearmodifiers ctrl+v
}

hashes() { (cd "$work" && sha256sum LIST2.txt Photo.mdb 2>/dev/null); }

# Visible windows whose name matches the pattern, one id a line.
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }

# Waits (at most 20 s, a guard against hanging, not a speed check) for a window to show.
wait_for_window() {
  local pattern=$1 pid=$2
  for _ in $(seq 200); do
    [[ -n $(windows "$pattern") ]] && return 0
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended before showing '$pattern'"; }
    sleep 0.1
  done
  cat "$work/out.log"
  fail "no window '$pattern' appeared"
}

main_window='^Zibrin$'
error_box='^Zibrin - '

case $case_name in
window-shows)
  start
  wait_for_window "$main_window" "$started"
  id=$(windows "$main_window" | head -1)
  xdotool getwindowgeometry "$id"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "more than one main window"
  ;;
second-start)
  start
  first=$started
  wait_for_window "$main_window" "$first"
  timeout 20 "$work/zibrin" >"$work/second.log" 2>&1
  status=$?
  [[ $status == 0 ]] || { cat "$work/second.log"; fail "the second start ended with status $status"; }
  kill -0 "$first" 2>/dev/null || fail "the first copy has gone"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "not exactly one window after the second start"
  ;;
missing-photo)
  [[ ! -e $work/Photo.mdb ]] || fail "fixture: Photo.mdb present"
  start
  wait_for_window "$main_window" "$started"
  # start-up completion runs at the first tick after showing; give it ample time to have run
  sleep 1
  kill -0 "$started" 2>/dev/null || { cat "$work/out.log"; fail "the program ended"; }
  [[ -z $(windows "$error_box") ]] || fail "an error box was shown"
  [[ $(windows "$main_window" | wc -l) == 1 ]] || fail "the window is not shown"
  ;;
lookup)
  [[ -f $work/Photo.mdb ]] || fail "fixture: no Photo.mdb in the build"
  start
  wait_for_window "$main_window" "$started"
  id=$(windows "$main_window" | head -1)
  "$screencheck" expect "$work/Photo.mdb" 峰 "$work/feng.png" || fail "no record of 峰 to compare with"
  # the input box has the focus when the window shows
  xdotool windowfocus --sync "$id"
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
  start
  wait_for_window "$error_box" "$started"
  [[ -n $(xdotool search --name "$main_window") ]] || fail "the main window was not made before the error"
  box=$(windows "$error_box" | head -1)
  xdotool windowfocus --sync "$box" key Return
  for _ in $(seq 200); do
    kill -0 "$started" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$started" 2>/dev/null && fail "the program did not end after the error box"
  wait "$started"
  status=$?
  [[ $status != 0 ]] || fail "the program ended with status 0"
  echo "ended with status $status"
  [[ $(hashes) == "$before" ]] || fail "a data file changed"
  ;;
list2-corrupt|photo-empty|photo-unreadable|photo-corrupt)
  before=$(hashes)
  start
  wait_for_window "$main_window" "$started"
  id=$(windows "$main_window" | head -1)
  xdotool windowfocus --sync "$id"
  paste 峰中
  sleep 1
  kill -0 "$started" 2>/dev/null || { cat "$work/out.log"; fail "the program ended"; }
  [[ -z $(windows "$error_box") ]] || fail "an error box was shown"
  if [[ $case_name == photo-* ]]; then
    "$screencheck" expect "$photo" 峰 "$work/feng.png" || fail "no record of 峰 in the build's Photo.mdb"
    "$screencheck" grab "$work/screen.png"
    ! "$screencheck" find "$work/screen.png" "$work/feng.png" >/dev/null || fail "a picture was shown without a readable database"
  fi
  [[ $(hashes) == "$before" ]] || fail "a data file changed"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "PASS: $case_name"
