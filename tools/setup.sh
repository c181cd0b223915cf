#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building, running and testing need on Debian 12 (chromium: the tests of the
# stroke-order pages; librsvg2-bin: the PNG icons; poppler-utils: the practice sheets' PDF
# rasterised by the tests; clang-format: the format CI checks): the Debian packages that are
# missing, the pinned data packages of data/ and the pinned page-test driver of tests/pages/ (each
# once per change of its package-lock.json).
# With --fuzz it also installs clang and its fuzzer runtime, for make fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libgl-dev qt6-translations-l10n
  unicode-data bzip2 fonts-arphic-uming python3-jieba opencc
  nodejs npm
  sqlite3 xvfb xauth xclip xdotool openbox valgrind clang-format
  librsvg2-bin chromium poppler-utils
  libzinnia-dev tegaki-zinnia-simplified-chinese
)
[[ ${1:-} == --fuzz ]] && packages+=(clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  # npm and nodejs may come from elsewhere; what counts is that the commands run
  case $p in
    nodejs) command -v node >/dev/null && continue ;;
    npm) command -v npm >/dev/null && continue ;;
  esac
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [[ $(id -u) == 0 ]] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The pinned npm packages of a folder, installed again only when its package-lock.json changes.
install_pinned() { # FOLDER WHAT [NPM-CI-OPTION...]
  local folder=$1 what=$2
  shift 2
  local stamp=$folder/node_modules/.zibrin-lock
  if ! cmp -s "$folder/package-lock.json" "$stamp" 2>/dev/null; then
    echo "setup: installing the pinned $what"
    (cd "$folder" && npm ci --no-audit --no-fund --loglevel=error "$@")
    cp "$folder/package-lock.json" "$stamp"
  fi
}
# the data packages are data only: no install script of theirs runs
install_pinned data "data packages" --ignore-scripts
# playwright-core drives the system's chromium; it never fetches a browser of its own
PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 install_pinned tests/pages "page-test driver"

