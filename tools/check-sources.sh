#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what CI enforces of every tracked source file before the build: each carries its
# SPDX-License-Identifier line within its first three lines, and each C++ file is as clang-format
# would write it (.clang-format). Prints the files that fail; exits 1 if any does.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
while IFS= read -r file; do
  if ! head -n 3 "$file" | grep -q 'SPDX-License-Identifier:'; then
    echo "check-sources: no SPDX-License-Identifier line: $file"
    status=1
  fi
done < <(git ls-files -- '*.cpp' '*.h' '*.sh' '*.js' '*.mjs' '*.html' '*.css' '*.cmake' '*.cmake.in' \
  '*CMakeLists.txt' 'Makefile' '.ci/run')

mapfile -t cxx < <(git ls-files -- '*.cpp' '*.h')
if ! clang-format --dry-run -Werror "${cxx[@]}"; then
  echo "check-sources: C++ files differ from .clang-format (clang-format -i FILE to mend)"
  status=1
fi
exit $status
