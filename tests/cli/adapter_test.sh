#!/usr/bin/env bash
# End-to-end checks of kalmar-cli's bit-bang adapters, each through the
# program's own backend over a stand-in for what it talks to, with the
# simulated adapter and chip behind its pins, on the real clock: the FT232R
# (a libftdi1 found first through LD_LIBRARY_PATH, with the board's USB
# round trip) and the GPIO chip (the kernel's GPIO character device taken
# over with LD_PRELOAD); under Wine, kalmar-cli.exe's FT232R through FTDI's
# D2XX (a stand-in ftd2xx.dll beside a copy of the program).
# Usage: adapter_test.sh ftdi|gpio|d2xx KALMAR_CLI STAND_IN PROGRAMS_DIR
# (PROGRAMS_DIR: the project's own test programs, a folder a chip.)
set -u
source "$(cd "$(dirname "$0")" && pwd)/../support/check.sh"
backend=$1
cli=$(realpath "$2")
standin=$(realpath "$3")
if [ ! -d "$4" ]; then
  echo "no test programs in $4"
  exit 1
fi
programs=$(realpath "$4")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
# AddressSanitizer wants its runtime first among the libraries; the stand-in comes before it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
if [ "$backend" = d2xx ]; then
  mkdir bin
  cp "$cli" "$standin" bin/
  cli=$work/bin/$(basename "$cli")
  export WINEDEBUG=-all
  load=(wine)
  backend=ftdi
elif [ "$backend" = ftdi ]; then
  load=(env "LD_LIBRARY_PATH=$(dirname "$standin")")
fi
if [ "$backend" = ftdi ]; then
  port=ftdi
  other_pins=DTR,DSR,RI,DCD,TXD  # 4,5,7,6,0
  other_pins_standin=4,5,7,6,0
  unplug_points="0 $((2 + RANDOM % 10)) $((600 + RANDOM % 2000))"
else
  port=gpio:/dev/gpiochip0
  load=(env "LD_PRELOAD=$standin")
  other_pins=5,6,13,19,26
  other_pins_standin=5,6,13,19,26
  unplug_points="0 $((2 + RANDOM % 40)) $((30000 + RANDOM % 200000))"
fi

# adapter CHIP_FILE KIND ARGUMENTS...: kalmar-cli on the stand-in's chip;
# each run adds a line to CHIP_FILE.log: the simulator's violations and the
# line bytes the lines were taken and given back in.
adapter() {
  local chip=$1 kind=$2
  shift 2
  rm -f "$chip.report"
  KALMAR_STANDIN_CHIP=$chip KALMAR_STANDIN_KIND=$kind KALMAR_STANDIN_REPORT=$chip.report \
    "${load[@]}" "$cli" -q -y -c "$kind" -p "$port" "$@"
  local status=$?
  awk '{sub(/\r$/, "")} /^violations /{v = $2} /^requested /{q = $2} /^released /{r = $2}
       END {print (v == "" ? "-" : v), (q == "" ? "-" : q), (r == "" ? "-" : r)}' \
    "$chip.report" 2>/dev/null >>"$chip.log" || echo "- - -" >>"$chip.log"
  return $status
}
# Every run of the chip's log without a violation, its lines taken and given back idle.
clean() {
  [ -s "$1.log" ] && ! grep -qvx '0 0F 0F' "$1.log"
}
# The calibration word at 3FFh of a PIC12F6xx chip file.
calibration() {
  awk '$1 == "pm" && $2 == "03F8" {print $NF}' "$1"
}

# Each chip with a program filling it: programmed, verified, read back,
# erased; the PIC12F675's own calibration word kept through all of it, the
# one its file brings never written.
printf 'Kalmar simulated chip\nchip PIC12F675\npm 03F8 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3468\n' >PIC12F675.chip
for entry in PIC16F628A:filled.hex PIC16F84A:filled.hex PIC12F675:own_calibration.hex; do
  chip=${entry%%:*}
  file=$programs/$chip/${entry#*:}
  adapter $chip.chip $chip program "$file"; status=$?
  programmed=$(calibration $chip.chip)
  adapter $chip.chip $chip verify "$file"; status2=$?
  adapter $chip.chip $chip read -o $chip.read.hex; status3=$?
  adapter $chip.chip $chip verify $chip.read.hex; status4=$?
  adapter $chip.chip $chip erase; status5=$?
  adapter $chip.chip $chip verify "$file" 2>/dev/null; status6=$?
  check "$chip over $1: program, verify, read back, erase" 0 "$status" \
    "[ $status2$status3$status4$status5 = 0000 ] && [ $status6 = 1 ]" "clean $chip.chip"
done
check "the PIC12F675 keeps its calibration word through program and erase" 0 0 \
  "[ '$programmed' = 3468 ] && [ \"\$(calibration PIC12F675.chip)\" = 3468 ]"

# An adapter on other lines, the stand-in wired the same way.
file=$programs/PIC16F84A/filled.hex
export KALMAR_STANDIN_PINS=$other_pins_standin
adapter pins.chip PIC16F84A --pins $other_pins program "$file"; status=$?
adapter pins.chip PIC16F84A --pins $other_pins verify "$file"; status2=$?
unset KALMAR_STANDIN_PINS
check "another pin map programs and verifies" 0 "$status" "[ $status2 = 0 ]" "clean pins.chip"

# The device goes away: before the lines are taken, during the programmer
# check, in the middle of programming. Never a success, always "no programmer".
file=$programs/PIC16F628A/filled.hex
for transfers in $unplug_points; do
  KALMAR_STANDIN_UNPLUG=$transfers adapter unplug.chip PIC16F628A program "$file" 2>err.txt
  check "unplugged after $transfers transfers" 3 "$?" "grep -q 'отключен' err.txt"
done

# Devices that cannot be opened say why, and no command goes on as if they had.
if [ "$backend" = ftdi ]; then
  "${load[@]}" "$cli" -q -c PIC16F84A -p ftdi detect 2>err.txt; status=$?
  adapter serial.chip PIC16F84A -p ftdi:A700XYZ detect 2>err2.txt; status2=$?
  check "no FT232R, or not the one named, is said so" 3 "$status" "[ $status2 = 3 ]" \
    "grep -q 'не подключено ни одного FT232R' err.txt" \
    "grep -q 'не подключён FT232R с серийным номером A700XYZ' err2.txt"
  if [ "${load[0]}" = wine ]; then
    KALMAR_STANDIN_BUSY=1 adapter busy.chip PIC16F84A detect 2>err.txt; status=$?
    mkdir alone
    cp "$cli" alone/
    KALMAR_STANDIN_CHIP=alone.chip wine alone/"$(basename "$cli")" -q -c PIC16F84A -p ftdi detect \
      2>err2.txt; status2=$?
    check "a board another program holds, and no FTDI driver, are said so" 3 "$status" \
      "[ $status2 = 3 ]" "grep -q 'FT232R занят другой программой' err.txt" \
      "grep -q 'не установлен драйвер FTDI (нет библиотеки ftd2xx.dll)' err2.txt"
  fi
else
  "$cli" -q -c PIC16F84A -p gpio:/dev/gpiochip99 detect 2>err.txt; status=$?
  adapter range.chip PIC16F84A --pins 17,27,22,23,60 detect 2>err2.txt; status2=$?
  check "a missing GPIO chip or line is named" 3 "$status" "[ $status2 = 3 ]" \
    "grep -q 'Не удалось открыть порт /dev/gpiochip99' err.txt" \
    "grep -q 'такого устройства нет' err.txt" "grep -q 'линии 60 (READ) нет' err2.txt"
  # Gone for a moment: the lines are taken anew and left idle, and the user is told so.
  KALMAR_STANDIN_UNPLUG=$((30 + RANDOM % 2000)) KALMAR_STANDIN_AWAY=1 \
    adapter back.chip PIC16F628A program "$file" 2>err3.txt
  check "a GPIO device back after a lost transfer is left idle" 3 "$?" \
    "grep -q 'программатор выключен' err3.txt" "tail -1 back.chip.log | grep -q ' 0F$'"
fi

finish
