#!/usr/bin/env bash
# Records the port accesses of every chip command on every chip kind, and
# of the commands that meet a fault, against simulated chips in virtual
# time, one trace file each, so that a change meant to leave the wire alone
# can be shown to: record before, record after, compare.
#   tools/wire-traces.sh KALMAR_CLI OUT_DIR          every trace and output kept
#   tools/wire-traces.sh KALMAR_CLI OUT_DIR --hashes only OUT_DIR/wire.sha256, one
#                                                    line a trace (the traces take 280 MB)
# tests/cli/wire.sha256 holds the hashes of the wire as it is meant to be;
# after a change that alters the wire on purpose, record it anew there.
set -u
cli=$(realpath "$1")
mkdir -p "$2"
out=$(realpath "$2")
hashes=${3:-}
: >"$out/wire.sha256"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A file for each family with program words, data, IDs and a configuration
# word the family's panel would compose.
hex_for() {  # hex_for FILE CONFIG_RECORD
  printf '%s\r\n' :0E00000005280000FF3F8316AA308500080087 :084000000100020003000400AE "$2" \
    :044200001200340074 :00000001FF > "$1"
}
hex_for "$work/f84.hex" :02400E00F93F78
hex_for "$work/f62x.hex" :02400E00213F50
hex_for "$work/f62xa.hex" :02400E00303F41
hex_for "$work/f12.hex" :02400E00C421CB
# The chips with write latches: both words of the PIC16F88, the others' one.
hex_for "$work/f88.hex" :04400E002A3FFE3F08
hex_for "$work/f716.hex" :02400E00C920C7
hex_for "$work/f683.hex" :02400E00D40FCD

# The first nine chips, then one chip of each family with write latches.
chips="PIC16F84 PIC16F84A PIC16C84 PIC16F627 PIC16F627A PIC16F628 PIC16F628A PIC12F629 PIC12F675
  PIC16F88 PIC16F716 PIC12F683"
commands="check detect read read-pm read-dm read-config read-id write verify write-dm
  write-config-word write-id erase program"

run() {  # run NAME CHIP SIM_FILE ARGS...
  local name=$1 chip=$2 sim=$3
  shift 3
  (cd "$work" && "$cli" -q -y -c "$chip" -p "sim:$sim" --virtual-time --trace "$out/$name.trace" \
    "$@" >"$out/$name.out" 2>&1; echo "exit $?" >>"$out/$name.out")
  (cd "$out" && sha256sum "$name.trace" >>wire.sha256)
  if [ "$hashes" = --hashes ]; then rm -f "$out/$name.trace" "$out/$name.out"; fi
}

for chip in $chips; do
  case $chip in
    PIC16F84 | PIC16F84A | PIC16C84) hex=f84.hex word=3FF9 ;;
    PIC16F627 | PIC16F628) hex=f62x.hex word=3F21 ;;
    PIC16F627A | PIC16F628A) hex=f62xa.hex word=3F30 ;;
    PIC16F88) hex=f88.hex word=3F2A ;;
    PIC16F716) hex=f716.hex word=20C9 ;;
    PIC12F683) hex=f683.hex word=0FD4 ;;
    *) hex=f12.hex word=31C4 ;;
  esac
  rm -f "$work/$chip.chip"
  for command in $commands; do
    case $command in
      write | verify | write-dm | program) run "$chip-$command" "$chip" "$chip.chip" $command $hex ;;
      write-config-word) run "$chip-$command" "$chip" "$chip.chip" write-config $word ;;
      write-id) run "$chip-$command" "$chip" "$chip.chip" write-id 1 2 3 4 ;;
      *) run "$chip-$command" "$chip" "$chip.chip" $command ;;
    esac
  done
  for fault in no-adapter no-chip data-stuck-low data-stuck-high stuck:3=0000 code-protected; do
    for command in read program erase verify; do
      rm -f "$work/fault.chip"
      args=($command)
      [ "$command" = program ] || [ "$command" = verify ] && args+=($hex)
      run "$chip-$command-${fault//[:=]/_}" "$chip" fault.chip --sim-fault "$fault" "${args[@]}"
    done
  done
done
