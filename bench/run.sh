#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run.sh BUILD_DIR PROGRAM BAREWINDOW STARTUP ACTIONS PHOTOGEN FACTS OUTLINES HANDWRITING CARDSTORE
# Runs every benchmark and prints one markdown table: the machine, start-up against a bare Qt
# window (under one private X server), the time per action and the resident size (offscreen), the
# handwriting recogniser's accuracy and time per stroke (offscreen), a practice sheet's PDF (no
# display), and the data build. The table
# is also written to BUILD_DIR/bench-results.md.
set -euo pipefail

build=$1 program=$2 barewindow=$3 startup=$4 actions=$5 photogen=$6 facts=$7 outlines=$8 handwriting=$9
cardstore=${10}
runs=${ZIBRIN_BENCH_RUNS:-20}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows=()
add_row() { rows+=("| $1 | $2 | ${3:-} |"); }
add_rows() { while IFS= read -r line; do rows+=("$line"); done <"$1"; }

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
memory=$(awk '/^MemTotal:/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo)
add_row "Date" "$(date +%Y-%m-%d)"
add_row "Machine" "$(nproc) CPUs, ${cpu:-unknown CPU}, $memory memory"
# other work on the machine shows in the tails (p99, max) of the figures below
add_row "Load average (1, 5, 15 min) at the start" "$(cut -d' ' -f1-3 /proc/loadavg)"

echo "bench: start-up, $runs runs each under Xvfb" >&2
if command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x1024x24" "$startup" "$program" "$barewindow" "$runs" >"$work/startup.md"
  add_rows "$work/startup.md"
else
  add_row "Start-up" "not run: Xvfb is not installed (tools/setup.sh installs it)"
fi

echo "bench: actions and resident size, offscreen" >&2
mkdir -m 700 "$work/run"
XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen "$actions" "$build" >"$work/actions.md"
add_rows "$work/actions.md"

echo "bench: handwriting over GB2312, offscreen" >&2
XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen "$handwriting" "$build" "$outlines" >"$work/handwriting.md"
add_rows "$work/handwriting.md"

echo "bench: a practice sheet of 100 characters, without a display" >&2
# a hundred of the most frequent characters, with the default options
lesson=的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本
sheet_runs=${ZIBRIN_BENCH_SHEET_RUNS:-5}
sheet_times=()
for ((i = 0; i < sheet_runs; i++)); do
  start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/run" \
    "$program" --practice-sheet "$lesson" --output "$work/sheet.pdf" 2>"$work/sheet.log" \
    || { cat "$work/sheet.log" >&2; exit 1; }
  end=$(date +%s%N)
  sheet_times+=($((end - start)))
done
median=$(printf '%s\n' "${sheet_times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
add_row "Practice sheet: 100 characters to PDF, whole program run (median of $sheet_runs)" \
  "$(awk -v ns="$median" 'BEGIN { printf "%.2f s", ns / 1e9 }')" "< 2 s"
add_row "Practice sheet: size of that PDF ($(pdfinfo "$work/sheet.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }') pages)" \
  "$(awk -v b="$(stat -c %s "$work/sheet.pdf")" 'BEGIN { printf "%.2f MB", b / 1e6 }')" "< 5 MB"

# a dictation sheet of 50 words of two characters, with the answer page
words="银行 快乐 重新 学生 老师 朋友 中国 大家 时间 工作 问题 电话 东西 地方 生活 今天 明天 学习 知道 现在 \
认识 喜欢 觉得 应该 已经 开始 希望 自己 什么 为了 因为 所以 但是 如果 虽然 可是 还是 或者 一起 非常 \
太阳 月亮 星星 河水 花草 树木 春天 夏天 秋天 冬天"
dictation_times=()
for ((i = 0; i < sheet_runs; i++)); do
  start=$(date +%s%N)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/run" \
    "$program" --dictation-sheet "$words" --answers --output "$work/dictation.pdf" 2>"$work/dictation.log" \
    || { cat "$work/dictation.log" >&2; exit 1; }
  end=$(date +%s%N)
  dictation_times+=($((end - start)))
done
median=$(printf '%s\n' "${dictation_times[@]}" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }')
add_row "Dictation sheet: 50 words of two characters and the answers to PDF, whole program run (median of $sheet_runs)" \
  "$(awk -v ns="$median" 'BEGIN { printf "%.2f s", ns / 1e9 }')" "< 2 s"

echo "bench: reading the character cards" >&2
"$cardstore" "$build/card.db" >"$work/cardstore.md"
add_rows "$work/cardstore.md"

echo "bench: the data build (photogen)" >&2
start=$(date +%s%N)
"$photogen" --facts "$facts" --outlines "$outlines" --output "$work/Photo.mdb" >/dev/null 2>"$work/photogen.log" \
  || { cat "$work/photogen.log" >&2; exit 1; }
end=$(date +%s%N)
mib() { awk -v b="$1" 'BEGIN { printf "%.1f MiB", b / 1048576 }'; }
add_row "Data build: photogen writing Photo.mdb (wall time)" \
  "$(awk -v ns=$((end - start)) 'BEGIN { printf "%.1f s", ns / 1e9 }')"
add_row "Data build: size of Photo.mdb" "$(mib "$(stat -c %s "$work/Photo.mdb")")"
# sizes as bytes of content and as disk use (whole blocks; links to the shared pages use none)
sizes() { echo "$(mib "$(du -sbD "$1" | cut -f1)") content, $(mib "$(($(du -skD "$1" | cut -f1) * 1024))") on disk"; }
if [[ -d $build/strokeorder ]]; then
  add_row "Data build: size of strokeorder/ ($(find "$build/strokeorder/" -type f -o -type l | wc -l) files and links)" \
    "$(sizes "$build/strokeorder/")" "< 90 MiB"
  cmake --install "$build" --prefix "$work/prefix" >/dev/null
  add_row "Installed program (cmake --install: lib/zibrin, menu entry, icons, metadata)" "$(sizes "$work/prefix")"
else
  add_row "Data build: size of strokeorder/" "not built"
fi

{
  echo "| Measure | Figure | Target |"
  echo "|---|---|---|"
  printf '%s\n' "${rows[@]}"
} | tee "$build/bench-results.md"
