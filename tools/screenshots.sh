#!/usr/bin/env bash
# Screenshots of the desktop window on a simulated chip, for review:
# start-up, a PIC16F628A after "Прочитать все", the listing view, the data
# memory editor, the wait panel, a verify failure box, the PIC12F675 BG
# chooser, the erase question, the editor after a click, the longest boxes at
# a 16-pixel font. Saved as PNG into build/screenshots/ (never committed).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source tools/install-deps.sh
kalmar_packages+=(xvfb xauth openbox)
kalmar_install_deps

cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target kalmar_screenshots >/dev/null

hex=${1:-$repo/../shared/testdata/hex/PIC16F628A/StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex}
out=$repo/build/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_RUNTIME_DIR=$work
xvfb-run -a -s "-screen 0 1024x768x24" bash -c \
  "openbox >/dev/null 2>&1 & sleep 1; '$repo/build/tests/kalmar_screenshots' '$out' '$hex'"

# The two pages, where Debian's Chromium is installed (apt-get install chromium).
if command -v chromium >/dev/null; then
  for page in Help Shema; do
    chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
      --disable-background-networking --disable-component-update --disable-sync \
      --user-data-dir="$work/chromium-$page" --window-size=1000,1600 \
      --screenshot="$out/page-$page.png" "file://$repo/data/$page.htm" >/dev/null 2>&1 &&
      echo "$out/page-$page.png"
  done
fi
