#!/usr/bin/env bash
# Screenshots of the desktop window on a simulated chip, for review:
# start-up, a PIC16F628A after "Прочитать все", the listing view, the data
# memory editor, the wait panel, a verify failure box, the PIC12F675 BG
# chooser, the erase question, the editor after a click, the longest boxes at
# a 16-pixel font. Saved as PNG into build/screenshots/ (never committed).
#   tools/screenshots.sh [HEX_FILE]
#   tools/screenshots.sh --windows [HEX_FILE]
# --windows: the window on Windows (kalmar.exe's own code, cross-built with
# mingw-w64 in build-windows-shots, or the folder KALMAR_WINDOWS_SHOTS_BUILD
# names) under Wine's virtual desktop in Xvfb, so that frames and captions are
# Windows' own: start-up, a PIC16F628A after "Прочитать все", the listing,
# the data editor, the wait panel, the erase question (the system's message
# box), the colour dialog, About and the PIC16F648A's tall arrangement, as
# build/screenshots/windows-*.png; then the PIC16F84A's, the PIC16F648A's and
# the PIC16F88's windows at 100, 125 and 150 % (the prefix's LogPixels 96,
# 120 and 144), the tall ones also scrolled to their bottom where the
# desktop is too short for them, as windows-scale-*.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source tools/install-deps.sh
default_hex=$repo/../shared/testdata/hex/PIC16F628A/StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex

if [ "${1:-}" = --windows ]; then
  shift
  kalmar_packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-win32 wine wine64 xvfb xauth
    imagemagick)
  kalmar_install_deps
  build=${KALMAR_WINDOWS_SHOTS_BUILD:-build-windows-shots}
  cmake -S . -B "$build" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKALMAR_GUI=OFF -DKALMAR_BENCH=OFF \
    -DKALMAR_WERROR=ON -DKALMAR_WIN32_WINDOW=ON -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
    >/dev/null
  cmake --build "$build" --target kalmar_win32_screenshots >/dev/null
  hex=$(realpath "${1:-$default_hex}")
  out=$repo/build/screenshots
  mkdir -p "$out"
  rm -f "$out"/windows-*.bmp "$out"/windows-*.png
  # A prefix of its own: the virtual desktop is set in its registry. No Mono
  # or Gecko prompts, no debug chatter.
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
  export WINEPREFIX=$repo/$build/wine-shots
  mkdir -p "$WINEPREFIX"
  # The desktop (1100x900) inside a larger X screen, so that all of it is drawn.
  # Wine names the Linux root Z:. A program reads the DPI (LogPixels) when
  # it starts: one run at each, the first taking every other picture too.
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    wine reg add "HKCU\\Software\\Wine\\Explorer" /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops" /v Default /d 1100x900 /f >/dev/null 2>&1
    status=0
    for dpi in 96 120 144; do
      wine reg add "HKCU\\Control Panel\\Desktop" /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
      wineserver -w  # the desktop is made anew, from these keys
      only=(); [ $dpi = 96 ] || only=(--scaled)
      wine "$0" "Z:$1" "Z:$2" "${only[@]}" >/dev/null || status=$?
      wineserver -w
    done
    exit $status' "$repo/$build/tests/kalmar_win32_screenshots.exe" "$out" "$hex"
  for bmp in "$out"/windows-*.bmp; do
    [ -e "$bmp" ] || { echo "no screenshot was taken" >&2; exit 1; }
    convert "$bmp" "${bmp%.bmp}.png"
    rm "$bmp"
    echo "${bmp%.bmp}.png"
  done
  exit 0
fi

kalmar_packages+=(xvfb xauth openbox)
kalmar_install_deps

cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target kalmar_screenshots >/dev/null

hex=${1:-$default_hex}
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
