#!/usr/bin/env bash
# kalmar-cli.exe under Wine on simulated chips: a whole session as a Windows
# user has it (program, read -o over an existing file, verify, detect, a
# fault), Windows paths, Kalmar.cfg in CP1251 with CR LF, Russian text on the
# console, and the port driver's messages when there is no driver.
# With the port library's stand-in beside a copy of the program, the port
# goes through it and needs no driver file.
# Usage: cli_session.sh KALMAR_CLI_EXE PROGRAMS_DIR [PORT_LIBRARY_STANDIN]
# (PROGRAMS_DIR: the project's own test programs, tests/programs.)
set -u
source "$(cd "$(dirname "$0")" && pwd)/../support/check.sh"
cli=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
programs=$(cd "$2" && pwd) || exit 1
library=
if [ -n "${3:-}" ]; then library=$(cd "$(dirname "$3")" && pwd)/$(basename "$3"); fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export WINEDEBUG=-all
kalmar() { wine "$cli" "$@"; }

cp "$programs/PIC16F628A/filled.hex" prog.hex || exit 1

kalmar -y -c PIC16F628A -p sim:chip.sim --virtual-time program prog.hex >out.txt 2>err.txt; status=$?
check "program a simulated PIC16F628A" 0 "$status" \
  "grep -q 'микроконтроллер запрограммирован' out.txt" "[ -s chip.sim ]" \
  "! grep -q 'Не найден драйвер' err.txt"

echo old > read.hex
here=$(winepath -w "$PWD")
kalmar -q -c PIC16F628A -p sim:chip.sim --virtual-time read -o "$here\\read.hex"; status=$?
check "read -o replaces a file named with a drive letter and backslashes" 0 "$status" \
  "grep -q '^:02400E00' read.hex" "[ ! -e read.hex.tmp ]"
kalmar -q -c PIC16F628A -p sim:chip.sim --virtual-time verify "$here\\prog.hex"; status=$?
check "verify against the file" 0 "$status"

kalmar -p sim:chip.sim --virtual-time detect >out.txt; status=$?
check "detect names the chip" 0 "$status" "grep -q '^PIC16F628A, ревизия' out.txt"

kalmar -c PIC16F628A -p sim:chip.sim --virtual-time --sim-fault no-adapter check 2>err.txt; status=$?
check "no adapter: exit 3 and the Russian box" 3 "$status" "grep -q 'Прграмматор не обнаружен' err.txt"

# The settings file as the window writes it on Windows: CP1251, CR LF.
printf '%s\r\n' микроконтроллер PIC16F84A порт '$378' цвет '$00000080' '$00785107' '$00000000' \
  'слово конфигурации' '$3FF9' |
  iconv -f UTF-8 -t CP1251 > Kalmar.cfg
kalmar -q -p sim:f84.sim --virtual-time write-config 2>err.txt; status=$?
kalmar -q -p sim:f84.sim --virtual-time read-config >out.txt 2>>err.txt; status2=$?
check "Kalmar.cfg in CP1251 chooses the chip and its word" 0 "$status" "[ $status2 = 0 ]" \
  "grep -q 'Конфигурация  3FF9' out.txt"
rm -f Kalmar.cfg

# A real port: under Wine the driver cannot load. Its file missing is told
# in the program's words; with a file there, the programmer is not found.
kalmar -c PIC16F84A -p lpt1 check 2>err.txt; status=$?
check "no driver file: the driver box, then no programmer" 3 "$status" \
  "grep -q 'Не найден драйвер порта.' err.txt" "grep -q 'файл Smport.sys' err.txt"
echo not-a-driver > Smport.sys
kalmar -c PIC16F84A -p lpt1 check 2>err.txt; status=$?
check "a driver that does not start: no programmer" 3 "$status" \
  "! grep -q 'Не найден драйвер' err.txt" "grep -q 'Прграмматор не обнаружен' err.txt"

if [ -n "$library" ]; then
  mkdir beside
  cp "$cli" "$library" beside/
  wine beside/"$(basename "$cli")" -c PIC16F84A -p lpt1 check >out.txt 2>err.txt; status=$?
  check "the port library beside the program: no driver file asked for, the adapter found" 0 \
    "$status" "! grep -q 'Не найден драйвер' err.txt"
fi

kalmar -q load absent.hex 2>err.txt; status=$?
check "a missing file's reason in Russian" 1 "$status" \
  "grep -q 'Причина: нет такого файла или папки' err.txt"

kalmar --version >out.txt; status=$?
check "version and usage errors as on Linux" 0 "$status" "grep -q '^kalmar-cli ' out.txt"
kalmar frobnicate 2>/dev/null; status=$?
check "unknown command" 2 "$status"

finish
