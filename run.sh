#!/usr/bin/env bash
# Builds Kalmar and starts it with the given arguments.
set -euo pipefail
cd "$(dirname "$0")"
source tools/install-deps.sh
kalmar_install_deps

cmake -S . -B build -G Ninja >/dev/null
cmake --build build >/dev/null
if [ -x build/src/kalmar-cli ]; then
  exec build/src/kalmar-cli "$@"
fi
cat <<'TXT'
Kalmar: a programmer for PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A and
PIC12F629/675 on a parallel port adapter.

The command-line and desktop programs are not built yet; ./test.sh builds the
core library and runs its tests.
TXT
