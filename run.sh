#!/usr/bin/env bash
# Builds Kalmar and starts it in the caller's working directory (where
# Kalmar.cfg and relative file names are looked for).
#   ./run.sh                   the window, on a simulated chip kept in ./kalmar-demo.chip
#   ./run.sh --port lpt1 ...   the window with the desktop program's own options
#   ./run.sh cli ARGS          the command line, kalmar-cli ARGS
set -euo pipefail
caller=$PWD
repo=$(cd "$(dirname "$0")" && pwd)
cd "$repo"
source tools/install-deps.sh
kalmar_install_deps

program=kalmar
if [ "${1:-}" = "cli" ]; then
  program=kalmar-cli
  shift
  if [ $# -eq 0 ]; then set -- --help; fi
elif [ $# -eq 0 ]; then
  set -- --port "sim:$caller/kalmar-demo.chip"
fi

echo "Building $program (the first time takes a minute) ..." >&2
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target "$program" >&2
if [ "$program" = kalmar ] && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] &&
  [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "No display to open the window on; the command line works anywhere: ./run.sh cli --help" >&2
  exit 1
fi
cd "$caller"
exec "$repo/build/src/$program" "$@"
