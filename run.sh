#!/usr/bin/env bash
# Builds Kalmar and starts it with the given arguments, in the caller's
# working directory (where Kalmar.cfg and relative file names are looked for).
set -euo pipefail
caller=$PWD
repo=$(cd "$(dirname "$0")" && pwd)
cd "$repo"
source tools/install-deps.sh
kalmar_install_deps

if ! log=$( { cmake -S . -B build -G Ninja && cmake --build build; } 2>&1 ); then
  echo "$log" >&2
  exit 1
fi
cd "$caller"
if [ $# -eq 0 ]; then set -- --help; fi
exec "$repo/build/src/kalmar-cli" "$@"
