# SPDX-License-Identifier: GPL-3.0-or-later
# oneprogram.sh: sourced by the end-to-end scripts that drive one running copy of the program
# under a private X server. Set program and list2 before sourcing (or leave program empty and set
# exe, the program to start, afterwards). It re-runs the calling script under xvfb-run (exit 77
# where Xvfb cannot start), then provides:
#   work          a private folder with copies of the program, LIST2.txt and Photo.mdb
#   fail MESSAGE  ends the script as failed
#   start_program starts exe (pid) and waits for its main window (window)
#   launch        starts exe (pid) without waiting; run_as, an array, is put before exe's command
#   wait_for_window PATTERN  waits for a visible window whose name matches PATTERN
#   paste TEXT    puts TEXT on the clipboard and presses Ctrl+V in the window's focused control
#   wait_until CONDITION  evaluates CONDITION every 0.1 s, at most 20 s (a guard against hanging,
#                 not a speed check); fails if the program has ended
#   on_screen, shot, keys, result_box: a picture looked for on the screen, the last screen kept,
#                 keys pressed, the focused result box's text read back through the clipboard
if [[ ${ZIBRIN_E2E_INSIDE:-} != 1 ]]; then
  if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null || ! xvfb-run -a true >/dev/null 2>&1; then
    echo "SKIP: Xvfb cannot be started here"
    exit 77
  fi
  # -noreset: a case that ends the program and starts it again would otherwise meet the server
  # while it resets after its last client left, and the new start could not connect
  ZIBRIN_E2E_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

fail() { echo "FAIL: $*"; exit 1; }
for tool in xdotool xclip sqlite3; do
  command -v $tool >/dev/null || fail "$tool is missing (tools/setup.sh installs it)"
done

# X and font libraries keep memory to the end of the process; leaks are the unit suites' business.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
unset QT_QPA_PLATFORM

work=$(mktemp -d)
pid=
cleanup() {
  [[ -z $pid ]] || { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT

exe=$work/zibrin
if [[ -n ${program:-} ]]; then
  cp "$program" "$work/zibrin"
  cp "$list2" "$work/LIST2.txt"
  photo=$(dirname "$program")/Photo.mdb
  [[ -f $photo ]] || fail "fixture: no Photo.mdb beside the program"
  cp "$photo" "$work/Photo.mdb"
fi
export XDG_RUNTIME_DIR=$work/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

wait_until() {
  for _ in $(seq 200); do
    eval "$1" && return 0
    kill -0 "$pid" 2>/dev/null || { cat "$work/out.log"; fail "the program ended"; }
    sleep 0.1
  done
  return 1
}

run_as=()
launch() {
  "${run_as[@]}" "$exe" >"$work/out.log" 2>&1 &
  pid=$!
}

# Visible windows whose name matches the pattern, one id a line.
windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }

wait_for_window() {
  local pattern=$1
  wait_until '[[ -n $(windows "$pattern") ]]' || { cat "$work/out.log"; fail "no window '$pattern' appeared"; }
}

start_program() {
  launch
  wait_for_window '^Zibrin$'
  window=$(windows '^Zibrin$' | head -1)
}

# Typing CJK with xdotool remaps a spare key code for each character and maps it back at once; a
# program slow to read its events (a sanitizer build) may then see the key without its character.
# Ctrl+V needs no remapping.
paste() {
  pasted=$1
  printf '%s' "$pasted" | xclip -selection clipboard -i 2>/dev/null # serves until another owner takes it
  wait_until '[[ $(xclip -selection clipboard -o 2>/dev/null) == "$pasted" ]]' || fail "xclip did not take the text"
  xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+v
}

# The desktop's opener: Qt hands addresses to xdg-open from PATH (BROWSER where there is none);
# the stand-in writes each into $work/opened.log.
record_opened_addresses() {
  mkdir -p "$work/bin"
  cat >"$work/bin/xdg-open" <<EOF
#!/bin/sh
printf '%s\n' "\$*" >>"$work/opened.log"
EOF
  chmod +x "$work/bin/xdg-open"
  export PATH=$work/bin:$PATH BROWSER=$work/bin/xdg-open
}

# Whether the picture NEEDLE is on the screen now (grabbed into $work/screen.png), at PICTURE_AT
# when that is set.
on_screen() {
  "$screencheck" grab "$work/screen.png" || return 1
  local at
  at=$("$screencheck" find "$work/screen.png" "$1") || return 1
  [[ -z ${PICTURE_AT:-} || $at == "found at $PICTURE_AT" ]]
}

# Keeps the last grab as NAME.png in ZIBRIN_E2E_SHOTS, when that names a folder.
shot() { [[ -z ${ZIBRIN_E2E_SHOTS:-} ]] || cp "$work/screen.png" "$ZIBRIN_E2E_SHOTS/$1.png"; }
keys() { xdotool key --delay 60 "$@"; }
# twips of the main window -> pixels (15 to a pixel at the 96 dpi of Xvfb)
click_main() { xdotool mousemove --window "$window" $(($1 / 15)) $(($2 / 15)) click 1; sleep 0.3; }
open_pad() {
  click_main $((8310 + 615 / 2)) $((672 + 150))
  wait_until '[[ -n $(xdotool search --onlyvisible --name "^手写输入$" 2>/dev/null) ]]' || fail "no pad after a click on 手写"
  pad=$(xdotool search --onlyvisible --name '^手写输入$' | head -1)
}
# A stroke in the writing area (the pad's top left square of 300 pixels): x y x y ...
stroke() {
  xdotool mousemove --window "$pad" "$1" "$2" mousedown 1
  shift 2
  while (($#)); do
    xdotool mousemove --window "$pad" "$1" "$2"
    sleep 0.02
    shift 2
  done
  xdotool mouseup 1
  sleep 0.3
}
# The text of the focused result box, by select all and copy.
result_box() {
  printf 'none' | xclip -selection clipboard
  keys ctrl+a ctrl+c
  local text=none
  for _ in $(seq 50); do
    text=$(xclip -selection clipboard -o 2>/dev/null; printf x)
    [[ $text != nonex ]] && break
    sleep 0.1
  done
  printf '%s' "${text%x}"
}

# Sets PICTURE_AT to where the picture was last found in $work/screen.png, and the click points
# of the links relative to it: pixels at Xvfb's 96 dpi from the layout in twips (Picture1 at
# 96,120 in Frame1, the link column at 6423 with Label6 at top 2190, Label1 2617, Label13 3045;
# Label5 at 7155,165 in the window, Frame1 at 2160,1620), a few pixels into each label.
locate_links() { # PICTURE
  local at px py
  at=$("$screencheck" find "$work/screen.png" "$1") || fail "the picture is not on the screen"
  IFS=, read -r px py <<<"${at#found at }"
  PICTURE_AT="$px,$py"
  label1=($((px + 434)) $((py + 172)))
  label6=($((px + 434)) $((py + 144)))
  label13=($((px + 434)) $((py + 201)))
  label5=($((px + 339)) $((py - 99)))
}
