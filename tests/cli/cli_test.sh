#!/usr/bin/env bash
# End-to-end checks of kalmar-cli against simulated chips.
# Usage: cli_test.sh KALMAR_CLI PROGRAMS_DIR PUBLIC_HEX_DIR
# PROGRAMS_DIR holds the project's own programs (tests/programs), a folder a
# chip; the real files of PUBLIC_HEX_DIR (or of the folder KALMAR_PUBLIC_HEX
# names) are programmed too when they are there.
set -u
source "$(cd "$(dirname "$0")" && pwd)/../support/check.sh"
cli=$1
programs=$(realpath "$2")
testdata=${KALMAR_PUBLIC_HEX-$3}
manuals=$(cd "$(dirname "$0")/../../data/man" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A small program for each family: a GOTO, some words, a configuration word
# the panel would compose, IDs and data.
make_hex() {  # make_hex FILE CONFIG
  local config_record
  case $2 in
    3FF9) config_record=:02400E00F93F78 ;;
    3F21) config_record=:02400E00213F50 ;;
    3F30) config_record=:02400E00303F41 ;;
    21C4) config_record=:02400E00C421CB ;;
    2130) config_record=:02400E0030215F ;;  # bits 12:9 clear: the correction is offered
  esac
  printf '%s\r\n' :0E00000005280000FF3F8316AA308500080087 :084000000100020003000400AE "$config_record" :044200001200340074 :00000001FF > "$1"
}

for entry in PIC16F84A:3FF9 PIC16F628:3F21 PIC16F628A:3F30 PIC12F675:21C4 PIC16F648A:3F30 PIC16F676:21C4; do
  chip=${entry%%:*}; config=${entry##*:}
  make_hex "$chip.hex" "$config"
  sim="sim:$chip.chip"
  case $chip in PIC16F628A | PIC16F648A) "$cli" -q -y -c "$chip" -p "$sim" --virtual-time erase ;; esac
  "$cli" -q -y -c "$chip" -p "$sim" --virtual-time write "$chip.hex"; status=$?
  "$cli" -q -y -c "$chip" -p "$sim" --virtual-time write-dm "$chip.hex" >/dev/null
  "$cli" -q -c "$chip" -p "$sim" --virtual-time read -o "$chip.read.hex"; status2=$?
  check "write then read back $chip" 0 "$status" "[ $status2 = 0 ]" \
    "grep -q '^:1000000005280000FF3F8316AA3085000800' $chip.read.hex" \
    "grep -q '^:02400E00' $chip.read.hex"
done

"$cli" -q -c PIC16F628 -p sim:stuck.chip --virtual-time --sim-fault stuck:3=0000 write PIC16F628.hex 2>err.txt; status=$?
check "a stuck cell fails the write" 1 "$status" "grep -q 'В ячейку с адресом 0003' err.txt"

# The whole PIC16F648A: every one of its 4096 words and 256 data bytes set,
# in the layout read -o writes (eight words a record, no word or byte blank).
make_648a_hex() {  # make_648a_hex FILE
  awk 'function record(address, count, values,   sum, line, i) {
         sum = 2 * count + int(address / 256) + address % 256
         line = sprintf(":%02X%04X00", 2 * count, address)
         for (i = 0; i < count; i++) {
           line = line sprintf("%02X%02X", values[i] % 256, int(values[i] / 256))
           sum += values[i] % 256 + int(values[i] / 256)
         }
         printf "%s%02X\r\n", line, (256 - sum % 256) % 256
       }
       BEGIN {
         for (a = 0; a < 4096; a += 8) {
           for (i = 0; i < 8; i++) w[i] = ((a + i) * 2531 + 1234) % 16383
           record(2 * a, 8, w)
         }
         for (i = 0; i < 4; i++) w[i] = i + 1
         record(16384, 4, w)                  # IDs at 4000h
         w[0] = 8496; record(16398, 1, w)     # configuration 2130h at 400Eh
         for (n = 0; n < 256; n += 8) {
           for (i = 0; i < 8; i++) w[i] = ((n + i) * 37 + 11) % 255
           record(16896 + 2 * n, 8, w)        # data byte n at 4200h + 2n
         }
         printf ":00000001FF\r\n"
       }' > "$1"
}
make_648a_hex whole.hex
"$cli" -q -y -c PIC16F648A -p sim:whole.chip --virtual-time program whole.hex; status=$?
"$cli" -q -c PIC16F648A -p sim:whole.chip --virtual-time read -o whole.read.hex; status2=$?
"$cli" -q -c PIC16F648A -p sim:whole.chip --virtual-time --sim-fault stuck:FFF=0000 verify whole.hex 2>err.txt; status3=$?
check "a PIC16F648A programs all 4096 words and 256 bytes, reads them back, a stuck FFFh fails" \
  0 "$status" "[ $status2 = 0 ]" "cmp -s whole.hex whole.read.hex" "[ $status3 = 1 ]" \
  "grep -q 'В ячейке с адресом 0FFF' err.txt"

"$cli" -q -c PIC16F84A -p sim:none.chip --virtual-time --sim-fault no-adapter check 2>err.txt; status=$?
check "no adapter gives exit 3" 3 "$status" "grep -q 'Прграмматор не обнаружен' err.txt"

"$cli" -q -c PIC16F628A -p sim:bad.chip --virtual-time --sim-fault slow:2 write PIC16F628A.hex 2>/dev/null; status=$?
check "a slow cell fails at full speed" 1 "$status"

"$cli" -q -y -c PIC12F675 -p sim:bg.chip --virtual-time erase; status=$?
check "erase keeps the BG bits of a 12F675" 0 "$status" "grep -q '^config 2' bg.chip" \
  "grep -q '^pm 03F8 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 343C' bg.chip"

printf ':020000000528D2\r\n' > broken.hex
"$cli" -q load broken.hex 2>err.txt; status=$?
check "a broken HEX file is refused" 1 "$status" "grep -q 'Ошибка контрольной суммы в строке 1.' err.txt"
# The system's reasons are Russian, whatever the C library's language.
"$cli" -q load absent.hex 2>err.txt; status=$?
"$cli" -q -c PIC16F628A -p sim:absent/x.chip --virtual-time read -o absent/x.hex 2>err2.txt
check "a missing file's reason is Russian" 1 "$status" \
  "grep -q 'Причина: нет такого файла или папки.' err.txt" \
  "grep -q 'absent/x.hex: нет такого файла или папки' err2.txt"

"$cli" frobnicate 2>err.txt; status=$?
check "unknown command" 2 "$status" "grep -q 'неизвестная команда' err.txt"
"$cli" --chip PIC99 check 2>/dev/null; status=$?
"$cli" --slowdown 4 check 2>/dev/null; status2=$?
"$cli" write 2>/dev/null; status3=$?
"$cli" --version read 2>/dev/null; status4=$?
check "usage errors" 2 "$status" "[ $status2 = 2 ] && [ $status3 = 2 ] && [ $status4 = 2 ]"

# Results on standard output, diagnostics on standard error, for every command.
"$cli" -y -c PIC16F628A -p sim:streams.chip --virtual-time program PIC16F628A.hex >out.txt 2>err.txt; status=$?
"$cli" -c PIC16F628A -p sim:streams.chip --virtual-time --sim-fault no-chip verify PIC16F628A.hex >out2.txt 2>err2.txt
check "results on stdout, failures on stderr" 0 "$status" \
  "grep -q 'Последнее выполненное действие' out.txt" "! grep -q 'Последнее выполненное' err.txt" \
  "[ ! -s out2.txt ] && [ -s err2.txt ]"

"$cli" -q -c PIC16F84A disasm PIC16F84A.hex; status=$?
check "disasm writes the listing" 0 "$status" "[ -f PIC16F84A.asm ]" \
  "grep -q 'GOTO        L_0005' PIC16F84A.asm" "grep -q 'ORG  0x2100' PIC16F84A.asm"

"$cli" -q -c PIC16F628A -p sim:trace.chip --virtual-time --trace trace.txt check; status=$?
check "the trace records the programmer check" 0 "$status" \
  "[ \"\$(head -1 trace.txt | cut -d' ' -f2-)\" = 'W 0B' ]" "grep -q ' R ' trace.txt"

"$cli" -q -c PIC16F84A -p sim:cp.chip --virtual-time write-config 000D 2>/dev/null; status=$?
check "protection needs a confirmation" 1 "$status" "grep -q '^config 3FFF' cp.chip"

"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time write-id 1 2 3 3FFF; status=$?
# Bit 9 of the PIC16F627 reads 0: 3F50 is written, checks as written and reads 3D50.
"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time write-config 3F50; status2=$?
"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time read-id > id.txt
"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time read-config > config.txt
"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time read-dm > dm.txt
check "ID words and configuration word" 0 "$status" "[ $status2 = 0 ]" \
  "grep -q 'Идентификатор: 0001 0002 0003 3FFF' id.txt" "grep -q 'Конфигурация  3D50' config.txt" \
  "[ \$(wc -l < dm.txt) = 16 ]"
"$cli" -q -c PIC16F627 -p sim:id.chip --virtual-time write-id 1 2 3 4000 2>/dev/null; status=$?
check "an ID word above 3FFF is refused" 1 "$status"

# Every chip whole, from the project's own programs: programmed, verified,
# read back and the copy verified, erased (the file then differs). The chips
# with a factory calibration word (3FFh of a new simulated chip, or its
# word at 2008h) keep it through all of it, and whatever value the file
# brings never reaches them.
calibration() {  # the calibration line of a chip file, else its word at 3FFh
  awk '$1 == "cal" {c = $2} $1 == "pm" && $2 == "03F8" {p = $NF}
       END {print (c != "" ? c : p)}' "$1"
}
run() { "$cli" -q -y -c "$chip" -p "sim:$name.chip" --virtual-time "$@"; }  # on $chip, $name
for folder in "$programs"/*/; do
  chip=$(basename "$folder")
  for file in "$folder"*.hex; do
    name=$chip-$(basename "$file" .hex)
    run read-config >/dev/null
    factory=$(calibration "$name.chip")
    run program "$file"; status=$?
    run verify "$file"; status2=$?
    run read -o "$name.read.hex"; status3=$?
    run verify "$name.read.hex"; status4=$?
    programmed=$(calibration "$name.chip")
    run erase; status5=$?
    run verify "$file" 2>/dev/null; status6=$?
    check "$chip $(basename "$file"): program, verify, read back, erase" 0 "$status" \
      "[ $status2$status3$status4$status5$status6 = 00001 ]" \
      "[ $factory = 3FFF ] || { [ $programmed = $factory ] && [ \$(calibration $name.chip) = $factory ]; }"
  done
done
check "programs for every chip" 0 0 "[ $(ls "$programs" | wc -l) -ge 12 ]"

# write (program memory alone) keeps the calibration word too.
file=$programs/PIC12F675/own_calibration.hex
"$cli" -q -y -c PIC12F675 -p sim:write.chip --virtual-time write "$file"; status=$?
"$cli" -q -c PIC12F675 -p sim:write.chip --virtual-time verify "$file"; status2=$?
check "write keeps the PIC12F675's calibration word, not the file's" 0 "$status" \
  "[ $status2 = 0 ]" "[ \"\$(calibration write.chip)\" = 343C ]"

if [ -d "$testdata" ]; then
  file="$testdata/PIC16F628A/StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex"
  "$cli" -q -y -c PIC16F628A -p sim:real.chip --virtual-time write "$file"; status=$?
  "$cli" -q -c PIC16F628A -p sim:real.chip --virtual-time verify "$file"; status2=$?
  check "a real file writes and verifies" 0 "$status" "[ $status2 = 0 ]"
fi

# Chip identification: the ID at 2006h names the chip in the socket.
detected=0
for kind in PIC16F84A PIC16F627 PIC16F627A PIC16F628 PIC16F628A PIC12F629 PIC12F675 \
  PIC16F87 PIC16F88 PIC16F818 PIC16F819 PIC16F716 PIC12F683 PIC16F684 PIC16F688; do
  "$cli" -q -c $kind -p sim:id-$kind.chip --virtual-time detect | grep -q "^$kind, ревизия" &&
    detected=$((detected + 1))
done
"$cli" -q -c PIC16F628A -p sim:empty.chip --virtual-time --sim-fault no-chip detect >/dev/null
check "detect names fifteen chips, and no chip" 1 "$?" "[ $detected = 15 ]"

# Both configuration words of a PIC16F88; a PIC12F683 has one, and its
# calibration word at 2008h is shown.
"$cli" -q -c PIC16F88 -p sim:two.chip --virtual-time write-config 3F2A 3FFD; status=$?
"$cli" -q -c PIC16F88 -p sim:two.chip --virtual-time read-config > two.txt
"$cli" -q -c PIC12F683 -p sim:one.chip --virtual-time write-config 0FD4 3FFD 2>err.txt; status2=$?
"$cli" -q -c PIC12F683 -p sim:one.chip --virtual-time read-config > one.txt
check "write-config takes two words where the chip has them" 0 "$status" "[ $status2 = 1 ]" \
  "grep -q '^Конфигурация  3F2A' two.txt" "grep -q '^Конфигурация 2008  0001' two.txt" \
  "grep -q 'одно слово конфигурации' err.txt" "grep -q '^Калибровка 2008  343C' one.txt"

# A PIC16F886: both configuration words and the calibration word at 2009h;
# the reminder to lower VPP comes once a run, and only to a command that
# raises it.
"$cli" -c PIC16F886 -p sim:f886.chip --virtual-time write-config 2FE4 3EFF 2>err.txt; status=$?
"$cli" -q -c PIC16F886 -p sim:f886.chip --virtual-time read-config > f886.txt
"$cli" -c PIC16F886 disasm "$programs/PIC16F886/sparse.hex" -o f886.asm 2>err2.txt; status2=$?
check "a PIC16F886's words, and the reminder to lower VPP" 0 "$status" "[ $status2 = 0 ]" \
  "grep -q '^Конфигурация 2008  0600' f886.txt" "grep -q '^Калибровка 2009  343C' f886.txt" \
  "[ \$(grep -c 'перемычку S1' err.txt) = 1 ]" "! grep -q 'S1' err2.txt"

# A row written through the write latches is read back before success is
# told: a stuck cell fails program and write on the chips with latches.
refused=0
for chip in PIC16F88 PIC12F683 PIC16F716; do
  for command in program write; do
    "$cli" -q -y -c $chip -p sim:stuck-$chip-$command.chip --virtual-time \
      --sim-fault stuck:123=0000 $command "$programs/$chip/filled.hex" 2>/dev/null
    [ $? = 1 ] && refused=$((refused + 1))
  done
done
check "a stuck cell fails program and write on the chips with write latches" 0 0 "[ $refused = 6 ]"
"$cli" -q -c PIC16F84A -p sim:id-PIC16F628A.chip --virtual-time read-config 2>err.txt; status=$?
"$cli" -q -c PIC16F84A -p sim:id-PIC16F628A.chip --virtual-time --force read-config >/dev/null
check "a wrong chip is refused, --force goes on" 1 "$status" "[ $? = 0 ]" \
  "grep -q 'В программаторе PIC16F628A, ревизия 0' err.txt"
echo kept > kept.hex
"$cli" -q -c PIC16F628A -p sim:empty.chip --virtual-time --sim-fault no-chip read -o kept.hex 2>/dev/null
check "read -o with no chip leaves the file" 1 "$?" "grep -q '^kept$' kept.hex"

make_hex odd.hex 2130
"$cli" -c PIC16F628A load odd.hex >/dev/null 2>err.txt
check "a declined correction does not fail the command" 0 "$?" "grep -q -- '--yes отвечает OK' err.txt"
"$cli" -q --chip=16f628a -p sim:odd.chip --virtual-time read-id >/dev/null; status=$?
"$cli" -q -c pic99 load odd.hex 2>err.txt
check "chip spellings; an unknown chip lists the known" 2 "$?" "[ $status = 0 ]" \
  "grep -q 'PIC12F675' err.txt"

# program: one command over a programmed chip, calibration kept or given.
first=PIC16F628A.hex
second=$programs/PIC16F628A/filled.hex
"$cli" -q -y -c PIC16F628A -p sim:prog.chip --virtual-time program "$first"
"$cli" -q -y -c PIC16F628A -p sim:prog.chip --virtual-time program "$second"; status=$?
"$cli" -q -c PIC16F628A -p sim:prog.chip --virtual-time verify "$second"
check "program over a programmed PIC16F628A" 0 "$status" "[ $? = 0 ]"
small=$programs/PIC12F675/own_calibration.hex
"$cli" -q -y -c PIC12F675 -p sim:cal.chip --virtual-time program "$small"; status=$?
grep -q '^pm 03F8 .* 343C$' cal.chip; kept=$?
"$cli" -q -y -c PIC12F675 -p sim:cal.chip --virtual-time --calibration 3480 program "$small"
check "program a PIC12F675: calibration kept, or the one given" 0 "$status" "[ $kept = 0 ]" \
  "grep -q '^pm 03F8 .* 3480$' cal.chip"
# A chip that lost its calibration word: program leaves 3FFh blank, the
# file's value is not its, and that is no difference.
printf 'Kalmar simulated chip\nchip PIC12F675\npm 03F8 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF\n' >lost.chip
"$cli" -q -y -c PIC12F675 -p sim:lost.chip --virtual-time program "$small" 2>/dev/null
check "program a PIC12F675 without calibration: 3FFh stays blank" 0 "$?" \
  "[ \"\$(calibration lost.chip)\" = 3FFF ]"
if [ -d "$testdata" ]; then
  first="$testdata/PIC16F628A/mit41301__PIC16F628A-Freq-Meter__frqmeter.HEX"
  second="$testdata/PIC16F628A/StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex"
  "$cli" -q -y -c PIC16F628A -p sim:prog2.chip --virtual-time program "$first"
  "$cli" -q -y -c PIC16F628A -p sim:prog2.chip --virtual-time program "$second"; status=$?
  "$cli" -q -c PIC16F628A -p sim:prog2.chip --virtual-time verify "$second"
  check "program a real file over another" 0 "$status" "[ $? = 0 ]"
fi

# The pin test: its writes, and verdicts that name the half of the loop-back that failed.
"$cli" -c PIC16F84A -p sim:pins.chip --virtual-time --trace pins.txt pins --auto --step-ms 5 >pins.out
status=$?
steps=$(awk '$2 == "W" {print $3}' pins.txt | uniq | tr '\n' ' ')
"$cli" -c PIC16F84A -p sim:pins.chip --virtual-time --sim-fault data-stuck-high pins --auto \
  --step-ms 5 >stuck.out
check "pins: steps, a good loop-back, a stuck line named" 0 "$status" "[ $? = 1 ]" \
  "echo '$steps' | grep -q '0F .*0E .*0C .*08 .*00 .*0F'" "grep -q 'Итог: линии управляются' pins.out" \
  "grep -q 'прижатая — ВЫСОКАЯ, ошибка' stuck.out"

# A waveform of a configuration read: times never go back, the commands read as sent.
"$cli" -q -c PIC16F628A -p sim:wave.chip --virtual-time --trace wave.vcd read-config >/dev/null
commands=$(grep '^s' wave.vcd | cut -c2-3 | tr '\n' ' ')
"$cli" -q -c PIC16F628A -p sim:wave.chip --virtual-time --trace wave-dm.vcd read-dm >/dev/null
check "a VCD trace decodes the commands" 0 "$?" "! grep -q unknown wave-dm.vcd" \
  "awk '/^#/ {t = substr(\$0, 2) + 0; if (t < last) exit 1; last = t}' wave.vcd" \
  "echo '$commands' | grep -q '^00 06 06 06 06 06 06 04 00 06 06 06 06 06 06 06 04 '"
if command -v sigrok-cli >/dev/null; then
  sigrok-cli -I vcd -i wave.vcd --show 2>/dev/null | grep -q 'Channels: 5'
  check "sigrok reads the VCD" 0 "$?"
fi

# Both man pages list the commands --help lists, which come from the command table.
help_commands=$("$cli" --help | sed -n '/^Команды:/,/^$/p' | grep -E '^  [a-z]' | awk '{print $1}' | sort)
for page in "ru/kalmar-cli.1:КОМАНДЫ:КОД" "kalmar-cli.1:COMMANDS:OUTPUT"; do
  IFS=: read -r file first after <<<"$page"
  man_commands=$(sed -n "/^\.SH $first/,/^\.SH $after/p" "$manuals/$file" | grep -A1 '^\.TP' | grep '^\.B' |
    sed 's/\\-/-/g' | tr -d '",' | awk '{for (i = 2; i <= NF; i++) if ($i ~ /^[a-z][a-z-]*$/) print $i}' | sort)
  check "the man page $file lists every command" 0 0 "[ -n \"$help_commands\" ]" \
    "[ \"$help_commands\" = \"$man_commands\" ]"
done

# A protected file programs whole: the protection is written last, after the
# words and data it protects (code on a 12F675, data alone on a 12F675, code on a 16F628A).
for entry in PIC12F675:02400E0004317B PIC12F675:02400E00C230BE PIC16F628A:02400E00301F61; do
  chip=${entry%%:*}; record=:${entry#*:}
  printf '%s\r\n' :0E00000005280000FF3F8316AA308500080087 :084000000100020003000400AE "$record" \
    :044200001200340074 :00000001FF > protected.hex
  rm -f protected.chip
  "$cli" -q -y -c $chip -p sim:protected.chip --virtual-time program protected.hex 2>err.txt
  check "program writes the protection last ($chip, ${record:9:4})" 0 "$?"
done

# A read that fails leaves the output file alone and prints no memory, on a
# chip without a device ID (nothing stops it before the read) and one with.
for fault in no-adapter data-stuck-low data-stuck-high; do
  for chip in PIC16F84 PIC16F628A; do
    echo "old file" > old.hex
    "$cli" -q -c $chip -p sim:f.chip --virtual-time --sim-fault $fault read -o old.hex 2>/dev/null; status=$?
    "$cli" -q -c $chip -p sim:f.chip --virtual-time --sim-fault $fault read >out.txt 2>/dev/null
    check "a failed read keeps the file ($chip, $fault)" 3 "$status" \
      "[ \"\$(cat old.hex)\" = 'old file' ]" "! grep -q '^0000:' out.txt"
  done
done

# Ctrl-C in the middle of a write on real time: the adapter goes idle first,
# the chip file stays whole (as before the write), the trace runs to the stop.
make_hex stop.hex 3F30
"$cli" -q -c PIC16F628A -p sim:stop.chip --virtual-time read-config >/dev/null
cp stop.chip stop.before
for signal in INT QUIT; do
  "$cli" -q -y -c PIC16F628A -p sim:stop.chip --trace stop.txt write stop.hex &
  pid=$!
  sleep 0.5
  kill -$signal $pid
  wait $pid; status=$?
  check "a stop signal leaves the adapter idle ($signal)" $((128 + $(kill -l $signal))) "$status" \
    "[ \"\$(tail -1 stop.txt | cut -d' ' -f3)\" = 0F ]" "cmp -s stop.chip stop.before"
done

# write-config without a word says what is wrong with a settings file that is there.
mkdir -p badcfg && echo garbage > badcfg/Kalmar.cfg
(cd badcfg && "$cli" write-config 2>../err.txt)
check "an unusable Kalmar.cfg is named as such" 2 "$?" "grep -q 'не годится' err.txt"

# An unwritable trace is refused before the chip is touched.
"$cli" -q -y -c PIC16F628A -p sim:untraced.chip --virtual-time --trace missing/t.vcd write PIC16F628A.hex 2>err.txt
check "an unwritable trace stops the command first" 1 "$?" "[ ! -f untraced.chip ]" \
  "grep -q 'файл трассировки' err.txt"

# Ctrl-C during a timed pin-test step ends it at once with the adapter idle
# (the step would hold both supplies on for ten minutes).
"$cli" -q -c PIC16F84 -p sim:pins.chip --trace pins.txt pins --auto --step-ms 600000 >/dev/null &
pid=$!
sleep 0.5
kill -INT $pid
for _ in $(seq 50); do kill -0 $pid 2>/dev/null || break; sleep 0.1; done
kill -0 $pid 2>/dev/null && kill -KILL $pid
wait $pid; status=$?
check "a stop ends a timed pin-test step" 130 "$status" "[ \"\$(tail -1 pins.txt | cut -d' ' -f3)\" = 0F ]"

finish
