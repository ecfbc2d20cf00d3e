#!/usr/bin/env bash
# The Windows build checked on Linux: cross-builds the core, the simulator,
# the programs and their tests with Debian's mingw-w64 (its win32-threads
# compilers), holds the programs' imports to what Windows XP has, runs the
# tests under Wine, then a kalmar-cli session on simulated chips, and makes
# the ZIP.
#   tools/windows-check.sh           64-bit (x86_64), Wine as Windows 10
#   tools/windows-check.sh i686      32-bit too, Wine as Windows XP: built
#                                    always, run where wine32 installs
# Where wine32 does not install, the 64-bit run is made as Windows XP x64
# instead. Builds in build-windows and build-windows32 (or the folders
# KALMAR_WINDOWS_BUILD and KALMAR_WINDOWS32_BUILD name); KALMAR_WIN32_WINDOW,
# when set, is passed on to CMake.
# Called by ./test.sh --windows; installs what it needs as root.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
build64=${KALMAR_WINDOWS_BUILD:-build-windows}
build32=${KALMAR_WINDOWS32_BUILD:-build-windows32}
source tools/install-deps.sh
kalmar_packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-win32 wine wine64 unzip)
[ "${1:-}" = i686 ] && kalmar_packages+=(g++-mingw-w64-i686-win32)
kalmar_install_deps

wine32_installed() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
}
if [ "${1:-}" = i686 ] && ! wine32_installed && [ "$(id -u)" -eq 0 ]; then
  # wine32 needs the i386 architecture; where it does not install, the
  # 32-bit build is only compiled.
  { dpkg --add-architecture i386 && apt-get -o DPkg::Lock::Timeout=600 update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq wine32:i386; } ||
    echo "wine32 does not install here"
fi

# No Mono or Gecko prompts when Wine makes its prefix; no debug chatter.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
export WINEPREFIX=${WINEPREFIX:-$repo/$build64/wine}
mkdir -p "$WINEPREFIX"

build() {  # build ARCH BUILD_DIR
  # The tests are listed when they run here, not by Wine during the build.
  cmake -S . -B "$2" -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$1.cmake" \
    -DKALMAR_GUI=OFF -DKALMAR_BENCH=OFF -DKALMAR_WERROR=ON \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
    ${KALMAR_WIN32_WINDOW:+-DKALMAR_WIN32_WINDOW=$KALMAR_WIN32_WINDOW} >/dev/null
  cmake --build "$2" -j "$(nproc)"
}

check_imports() {  # check_imports BUILD_DIR
  local programs=("$1/src/kalmar-cli.exe")
  [ -f "$1/src/kalmar.exe" ] && programs+=("$1/src/kalmar.exe")
  echo "== imports of ${programs[*]##*/}"
  bash tests/windows/imports_test.sh "${programs[@]}"
}

# The import check itself refuses a program that imports a later call or a
# DLL outside the list, so that a change in objdump's output cannot pass
# everything unseen.
check_imports_refuse() {
  local probe=$repo/$build64/imports_probe
  printf '%s\n' '#include <windows.h>' '#include <mmsystem.h>' \
    'int main(void) { return (int)(GetTickCount64() + timeGetTime()); }' >"$probe.c"
  x86_64-w64-mingw32-gcc-win32 -D_WIN32_WINNT=0x0600 "$probe.c" -o "$probe.exe" -lwinmm
  local out
  if out=$(bash tests/windows/imports_test.sh "$probe.exe" 2>&1) ||
    ! grep -q 'kernel32.dll!GetTickCount64 needs Windows Vista' <<<"$out" ||
    ! grep -q 'winmm.dll!timeGetTime: not one' <<<"$out"; then
    echo "the import check passed a program importing GetTickCount64 and winmm.dll:" >&2
    echo "$out" >&2
    exit 1
  fi
  echo "== the import check refuses GetTickCount64 and winmm.dll"
}

package() {  # package BUILD_DIR ARCH: the ZIP
  (cd "$1" && cpack -G ZIP >/dev/null)
  unzip -l "$1"/kalmar-*-windows-"$2".zip | grep -q 'bin/kalmar-cli.exe'
  echo "== $(ls "$1"/kalmar-*-windows-"$2".zip): the ZIP for Windows"
}

set_windows_version() {  # set_windows_version WINE_VERSION VERSION_NUMBER
  wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null
  local ver
  ver=$(wine cmd /c ver | tr -d '\r' | grep .)
  grep -qF "$2" <<<"$ver" || { echo "Wine is not Windows $2 after setting $1: $ver" >&2; exit 1; }
  echo "== Wine as $ver"
}

run_under_wine() {  # run_under_wine BUILD_DIR
  local build=$1 suite
  for suite in kalmar_core_tests kalmar_sim_tests kalmar_window_tests kalmar_win32_tests; do
    [ -f "$build/tests/$suite.exe" ] || continue
    echo "== $suite.exe under Wine"
    wine "$build/tests/$suite.exe" --gtest_brief=1
  done
  echo "== kalmar-cli.exe session under Wine"
  bash tests/windows/cli_session.sh "$build/src/kalmar-cli.exe" "$repo/../shared/testdata/hex" \
    "$(ls "$build"/tests/inpout*.dll)"
}

can_run32=0
[ "${1:-}" = i686 ] && wine32_installed && can_run32=1

build x86_64 "$build64"
check_imports "$build64"
check_imports_refuse
package "$build64" x86_64
if [ "${1:-}" = i686 ] && [ $can_run32 -eq 0 ]; then
  set_windows_version winxp64 5.2.3790
else
  set_windows_version win10 10.0
fi
run_under_wine "$build64"
if [ "${1:-}" = i686 ]; then
  build i686 "$build32"
  check_imports "$build32"
  package "$build32" i686
  if [ $can_run32 -eq 1 ]; then
    export WINEPREFIX=$repo/$build32/wine WINEARCH=win32
    mkdir -p "$WINEPREFIX"
    set_windows_version winxp 5.1.2600
    run_under_wine "$build32"
  else
    echo "wine32 is not installed: the 32-bit build was compiled, not run"
  fi
fi
echo "Windows check passed"
