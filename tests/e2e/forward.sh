#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# forward.sh PROGRAM LIST2 SCREENCHECK: later starts while a copy runs, under a window manager
# (openbox), the real program, its lock and its socket:
#   - with the window minimised, "zibrin 峰" ends with status 0; the one window is back, active,
#     and shows 峰's picture
#   - a copy killed with SIGKILL leaves its socket behind: the next start runs, and a start of
#     "zibrin 山" after it brings 山 into that copy's window
set -uo pipefail

program=$1 list2=$2 screencheck=$3
source "$(dirname "$0")/oneprogram.sh"
command -v openbox >/dev/null || fail "openbox is missing (tools/setup.sh installs it)"

# openbox runs the start-up command once it manages the screen
openbox --startup "touch $work/wm-ready" >"$work/wm.log" 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; cleanup' EXIT
wait_for_wm() { for _ in $(seq 200); do [[ -e $work/wm-ready ]] && return 0; sleep 0.1; done; return 1; }
wait_for_wm || { cat "$work/wm.log"; fail "openbox did not start"; }

main_windows() { xdotool search --onlyvisible --name '^Zibrin$' 2>/dev/null; }
is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]]; }

"$screencheck" expect "$work/Photo.mdb" 峰 "$work/feng.png" || fail "no record of 峰 to compare with"
"$screencheck" expect "$work/Photo.mdb" 山 "$work/shan.png" || fail "no record of 山 to compare with"

start_program
xdotool windowminimize --sync "$window"
wait_until '[[ -z $(main_windows) ]]' || fail "the window could not be minimised"

timeout 20 "$exe" 峰 >"$work/second.log" 2>&1
status=$?
[[ $status == 0 ]] || { cat "$work/second.log"; fail "the second start ended with status $status"; }
wait_until '[[ -n $(main_windows) ]]' || fail "the minimised window did not come back"
wait_until is_active || fail "the window is back but not active"
wait_until 'on_screen "$work/feng.png"' || { shot forward-second-start; fail "the picture of 峰 is not shown"; }
shot forward-second-start
[[ $(main_windows | wc -l) == 1 ]] || fail "not exactly one window after the second start"
echo "second start: one window, active, showing 峰"

# Killed, the copy leaves its lock and its socket.
kill -KILL "$pid"
wait "$pid" 2>/dev/null
pid=
sockets=("$XDG_RUNTIME_DIR"/zibrin-*.socket)
[[ -S ${sockets[0]} ]] || fail "fixture: the killed copy left no socket"
start_program
timeout 20 "$exe" 山 >"$work/third.log" 2>&1
status=$?
[[ $status == 0 ]] || { cat "$work/third.log"; fail "the start after the new copy ended with status $status"; }
wait_until 'on_screen "$work/shan.png"' || { shot forward-after-kill; fail "the picture of 山 is not shown"; }
[[ $(main_windows | wc -l) == 1 ]] || fail "not exactly one window after the start"
echo "after a killed copy: the next start runs and takes the later start's 山"
echo "PASS: forward"
