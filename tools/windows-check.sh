#!/usr/bin/env bash
# The Windows build checked on Linux: cross-builds the core, the simulator,
# kalmar-cli.exe and the core and simulator tests with Debian's mingw-w64 and
# runs them under Wine, then a kalmar-cli session on simulated chips.
#   tools/windows-check.sh           64-bit (x86_64)
#   tools/windows-check.sh i686      32-bit too: built always, run where wine32 installs
# Called by ./test.sh --windows; installs what it needs as root.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
source tools/install-deps.sh
kalmar_packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine wine64 unzip)
[ "${1:-}" = i686 ] && kalmar_packages+=(g++-mingw-w64-i686-posix)
kalmar_install_deps

# No Mono or Gecko prompts when Wine makes its prefix; no debug chatter.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX=${WINEPREFIX:-$repo/build-windows/wine}
mkdir -p "$WINEPREFIX"

run_under_wine() {  # run_under_wine BUILD_DIR
  local build=$1 suite
  for suite in kalmar_core_tests kalmar_sim_tests kalmar_window_tests; do
    echo "== $suite.exe under Wine"
    wine "$build/tests/$suite.exe" --gtest_brief=1
  done
  echo "== kalmar-cli.exe session under Wine"
  bash tests/windows/cli_session.sh "$build/src/kalmar-cli.exe" "$repo/../shared/testdata/hex" \
    "$(ls "$build"/tests/inpout*.dll)"
}

build() {  # build ARCH BUILD_DIR
  cmake -S . -B "$2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$1.cmake" \
    -DKALMAR_GUI=OFF -DKALMAR_BENCH=OFF -DKALMAR_WERROR=ON >/dev/null
  cmake --build "$2"
}

build x86_64 build-windows
run_under_wine build-windows
(cd build-windows && cpack -G ZIP >/dev/null)
unzip -l build-windows/kalmar-*-windows-x86_64.zip | grep -q 'bin/kalmar-cli.exe'
echo "== $(ls build-windows/kalmar-*-windows-x86_64.zip): the ZIP for Windows"
wine32_installed() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
}
if [ "${1:-}" = i686 ]; then
  build i686 build-windows32
  # wine32 needs the i386 architecture; where it does not install, the
  # 32-bit build is only compiled.
  if ! wine32_installed && [ "$(id -u)" -eq 0 ]; then
    { dpkg --add-architecture i386 && apt-get -o DPkg::Lock::Timeout=600 update -qq &&
      DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq wine32:i386; } ||
      echo "wine32 does not install here"
  fi
  if wine32_installed; then
    WINEPREFIX=$repo/build-windows32/wine WINEARCH=win32 run_under_wine build-windows32
  else
    echo "wine32 is not installed: the 32-bit build was compiled, not run"
  fi
fi
echo "Windows check passed"
