#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# run-fuzzers.sh BUILD SECONDS: runs every fuzz target of BUILD for SECONDS, starting from its seeds
# and kept regressions. A crash stops the run; its input is left in BUILD/artifacts/ to be kept
# in tests/fuzz/regressions/<target>/ once fixed.
set -euo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/artifacts"
for fuzzer in "$build"/tests/fuzz/fuzz_*; do
  [[ -f $fuzzer && -x $fuzzer ]] || continue
  name=$(basename "$fuzzer")
  corpus=$build/corpus/$name
  mkdir -p "$corpus" "$root/tests/fuzz/regressions/$name"
  echo "fuzz: $name for ${seconds}s"
  log=$build/artifacts/$name.log
  if ! QT_QPA_PLATFORM=offscreen "$fuzzer" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 \
      -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
      "$corpus" "$root/tests/fuzz/seeds/$name" "$root/tests/fuzz/regressions/$name" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz: $name failed; the input is in $build/artifacts/"
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' "$log" | sed "s/^/fuzz: $name /"
done
