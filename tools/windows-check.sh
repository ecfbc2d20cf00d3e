#!/usr/bin/env bash
# The Windows build checked on Linux: cross-builds the core, the simulator,
# the programs and their tests with Debian's mingw-w64 (its win32-threads
# compilers), holds the programs' imports to what Windows XP has, runs the
# tests under Wine, then a kalmar-cli session on simulated chips, and makes
# the ZIP and the installer and installs and uninstalls under Wine.
#   tools/windows-check.sh           64-bit (x86_64), Wine as Windows 10
#   tools/windows-check.sh i686      32-bit too, Wine as Windows XP: built
#                                    always, run where wine32 installs
# Where wine32 does not install, the 64-bit run is made as Windows XP x64
# instead, and the installers are not run (their own code is 32-bit). Builds in build-windows and build-windows32 (or the folders
# KALMAR_WINDOWS_BUILD and KALMAR_WINDOWS32_BUILD name); KALMAR_WIN32_WINDOW,
# when set, is passed on to CMake.
# Called by ./test.sh --windows; installs what it needs as root.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
build64=${KALMAR_WINDOWS_BUILD:-build-windows}
build32=${KALMAR_WINDOWS32_BUILD:-build-windows32}
source tools/install-deps.sh
kalmar_packages=(cmake ninja-build googletest g++-mingw-w64-x86-64-win32 wine wine64 unzip nsis binutils
  xvfb xauth gputils python3)
[ "${1:-}" = i686 ] && kalmar_packages+=(g++-mingw-w64-i686-win32)
kalmar_install_deps
# Wine makes windows only on a display, and its desktop process keeps the
# display of the first program of the prefix: every program runs in one Xvfb.
if [ -z "${KALMAR_WINDOWS_DISPLAY:-}" ]; then
  exec env KALMAR_WINDOWS_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi

wine32_installed() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
}
if ! wine32_installed && [ "$(id -u)" -eq 0 ]; then
  # The installers' own code is 32-bit (NSIS) whatever programs they carry,
  # and the i686 build's programs are: both run on wine32, which needs the
  # i386 architecture. Where it does not install, the installers are made
  # but not run, and the 32-bit build is only compiled.
  { dpkg --add-architecture i386 && apt-get -o DPkg::Lock::Timeout=600 update -qq &&
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq wine32:i386; } ||
    echo "wine32 does not install here"
fi

# No Mono or Gecko prompts when Wine makes its prefix; no debug chatter; no
# menu entries and file types of the prefix's programs on this desktop.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEPREFIX=${WINEPREFIX:-$repo/$build64/wine}
mkdir -p "$WINEPREFIX"

build() {  # build ARCH BUILD_DIR
  # A build folder keeps the compilers and flags of its first configure:
  # when the toolchain files change, it is configured afresh.
  local stamp=$2/kalmar-toolchain.sha256 toolchain fresh=()
  toolchain=$(cat cmake/mingw-w64.cmake "cmake/mingw-w64-$1.cmake" | sha256sum)
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$toolchain" ] || fresh=(--fresh)
  # The tests are listed when they run here, not by Wine during the build.
  cmake "${fresh[@]}" -S . -B "$2" -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$1.cmake" \
    -DKALMAR_GUI=OFF -DKALMAR_BENCH=OFF -DKALMAR_WERROR=ON \
    -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST \
    ${KALMAR_WIN32_WINDOW:+-DKALMAR_WIN32_WINDOW=$KALMAR_WIN32_WINDOW} >/dev/null
  echo "$toolchain" >"$stamp"
  cmake --build "$2" -j "$(nproc)"
}

built() {  # built BUILD_DIR PROGRAM: the build makes it now (not left from before)
  [ -f "$1/src/$2" ] && ninja -C "$1" -t query "src/$2" >/dev/null 2>&1
}

check_imports() {  # check_imports BUILD_DIR
  local programs=("$1/src/kalmar-cli.exe")
  built "$1" kalmar.exe && programs+=("$1/src/kalmar.exe")
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

package() {  # package BUILD_DIR ARCH: the ZIP and the installer
  (cd "$1" && cpack -G ZIP >/dev/null && cpack -G NSIS >/dev/null)
  local zip listing program
  zip=$(ls "$1"/kalmar-*-windows-"$2".zip)
  listing=$(unzip -l "$zip")
  for program in kalmar-cli.exe kalmar.exe; do
    built "$1" $program || continue
    grep -q "/bin/$program\$" <<<"$listing" || { echo "$zip lacks bin/$program" >&2; exit 1; }
  done
  echo "== $zip and $(ls "$1"/kalmar-*-windows-"$2"-setup.exe)"
}

set_windows_version() {  # set_windows_version WINE_VERSION VERSION_NUMBER
  wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null
  local ver
  ver=$(wine cmd /c ver | tr -d '\r' | grep .)
  grep -qF "$2" <<<"$ver" || { echo "Wine is not Windows $2 after setting $1: $ver" >&2; exit 1; }
  echo "== Wine as $ver"
}

run_under_wine() {  # run_under_wine BUILD_DIR ARCH
  local build=$1 suite
  for suite in kalmar_core_tests kalmar_sim_tests kalmar_window_tests; do
    echo "== $suite.exe under Wine"
    wine "$build/tests/$suite.exe" --gtest_brief=1
  done
  if [ -f "$build/tests/kalmar_win32_tests.exe" ]; then
    echo "== kalmar_win32_tests.exe under Wine"
    wine "$build/tests/kalmar_win32_tests.exe" --gtest_brief=1
  fi
  echo "== kalmar-cli.exe session under Wine"
  bash tests/windows/cli_session.sh "$build/src/kalmar-cli.exe" "$build/tests/programs/hex" \
    "$(ls "$build"/tests/inpout*.dll)"
  echo "== kalmar-cli.exe's FT232R through FTDI's D2XX under Wine"
  bash tests/cli/adapter_test.sh d2xx "$build/src/kalmar-cli.exe" \
    "$build/tests/standin/d2xx/ftd2xx.dll" "$build/tests/programs/hex"
  if wine32_installed; then
    bash tests/windows/installer_test.sh "$(ls "$build"/kalmar-*-windows-"$2"-setup.exe)" \
      'C:\Program Files\Kalmar'
  else
    echo "wine32 is not installed: the installer was made, not run"
  fi
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
run_under_wine "$build64" x86_64
if [ "${1:-}" = i686 ]; then
  build i686 "$build32"
  check_imports "$build32"
  package "$build32" i686
  if [ $can_run32 -eq 1 ]; then
    export WINEPREFIX=$repo/$build32/wine WINEARCH=win32
    mkdir -p "$WINEPREFIX"
    set_windows_version winxp 5.1.2600
    run_under_wine "$build32" i686
    # The 64-bit installer refuses a 32-bit Windows and leaves nothing there.
    if wine "$(ls "$build64"/kalmar-*-windows-x86_64-setup.exe)" /S ||
      [ -e "$WINEPREFIX/drive_c/Program Files/Kalmar" ]; then
      echo "the 64-bit installer installed on 32-bit Windows" >&2
      exit 1
    fi
    echo "== the 64-bit installer refuses 32-bit Windows"
  else
    echo "wine32 is not installed: the 32-bit build was compiled, not run"
  fi
fi
echo "Windows check passed"
