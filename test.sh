#!/usr/bin/env bash
# Builds everything and runs every test.
#   ./test.sh             build in build/ and run ctest
#   ./test.sh --sanitize  the same in build-sanitize/ with AddressSanitizer and UBSan
#   ./test.sh --windows   the Windows build under Wine (tools/windows-check.sh)
set -euo pipefail
cd "$(dirname "$0")"
if [ "${1:-}" = "--windows" ]; then
  exec tools/windows-check.sh "${@:2}"
fi
source tools/install-deps.sh
# The install test validates with the first two and checks the package with lintian;
# the waveform test opens a VCD with
# sigrok; clang-tidy holds the functions to their complexity limit.
kalmar_packages+=(desktop-file-utils appstream lintian sigrok-cli clang-tidy)
kalmar_install_deps

build_dir=build
options=(-DKALMAR_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
  build_dir=build-sanitize
  options+=(-DKALMAR_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

cmake -S . -B "$build_dir" -G Ninja "${options[@]}"
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
