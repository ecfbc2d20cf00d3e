#!/usr/bin/env bash
# Builds Kalmar and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-deps.sh
kalmar_install_deps

if ! log=$( { cmake -S . -B build -G Ninja && cmake --build build; } 2>&1 ); then
  echo "$log" >&2
  exit 1
fi
if [ $# -eq 0 ]; then set -- --help; fi
exec build/src/kalmar-cli "$@"
