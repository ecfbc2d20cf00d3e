#!/usr/bin/env python3
"""Writes the assembler source of a test program that fills a chip whole.

    make_program.py CHIP PROGRAM.asm [--own-calibration | --sparse]
    make_program.py --list     the programs, CHIP/NAME a line

Program memory holds a word at every address up to the last (on the chips
with a factory calibration word at the top, up to the word below it; with
--own-calibration the file brings a RETLW of its own there). The words run
through every instruction form of the 14-bit core with operands that change
from word to word, and, among them, words that are no instruction and
instructions written in an encoding the assembler never makes. The words
on both sides of every 1K edge and the top word are CALLs and GOTOs across
the edge. Data EEPROM holds a different byte in every cell, so a byte
written to the wrong cell or two cells swapped show; the four ID words and
the configuration word are set too.

--sparse keeps the words of a few blocks only (the first words, the words
around each 1K edge and the top), every third data byte and no ID words:
the cells between stay blank, as in most real files.

gpasm assembles the source into the HEX file the end-to-end tests program,
and gpdasm disassembles it for the disassembler's test.
"""
import sys

# name: (program words, data bytes, gpasm processor, configuration word,
#        factory calibration at the top word)
# The configuration words leave code and data unprotected and set the other
# bits differently on every chip.
CHIPS = {
    "PIC16F84": (1024, 64, "16f84", 0x3FF1, False),
    "PIC16F84A": (1024, 64, "16f84a", 0x3FFA, False),
    "PIC16C84": (1024, 64, "16c84", 0x3FF6, False),
    "PIC16F627": (1024, 128, "16f627", 0x3F62, False),
    "PIC16F627A": (1024, 128, "16f627a", 0x3F18, False),
    "PIC16F628": (2048, 128, "16f628", 0x3F25, False),
    "PIC16F628A": (2048, 128, "16f628a", 0x3F4A, False),
    "PIC16F648A": (4096, 256, "16f648a", 0x3FA5, False),
    "PIC12F629": (1024, 128, "12f629", 0x31A5, True),
    "PIC12F675": (1024, 128, "12f675", 0x21CB, True),
    "PIC16F630": (1024, 128, "16f630", 0x1186, True),
    "PIC16F676": (1024, 128, "16f676", 0x31F2, True),
    "PIC16F87": (4096, 256, "16f87", 0x3F74, False),
    "PIC16F88": (4096, 256, "16f88", 0x3F2A, False),
    "PIC16F818": (1024, 128, "16f818", 0x3F51, False),
    "PIC16F819": (2048, 256, "16f819", 0x3F39, False),
    "PIC16F716": (2048, 0, "16f716", 0x20C9, False),
    "PIC12F683": (2048, 256, "12f683", 0x0FD4, False),
    "PIC16F684": (2048, 256, "16f684", 0x0ED5, False),
    "PIC16F688": (4096, 256, "16f688", 0x0CF3, False),
    "PIC16F631": (1024, 128, "16f631", 0x0FD4, False),
    "PIC16F677": (2048, 256, "16f677", 0x0CF3, False),
    "PIC16F685": (4096, 256, "16f685", 0x0ED5, False),
    "PIC16F687": (2048, 256, "16f687", 0x0FD4, False),
    "PIC16F689": (4096, 256, "16f689", 0x0CF3, False),
    "PIC16F690": (4096, 256, "16f690", 0x0ED5, False),
    "PIC16F873A": (4096, 128, "16f873a", 0x2F4A, False),
    "PIC16F874A": (4096, 128, "16f874a", 0x2F49, False),
    "PIC16F876A": (8192, 256, "16f876a", 0x2F4A, False),
    "PIC16F877A": (8192, 256, "16f877a", 0x2F4B, False),
    "PIC16F882": (2048, 128, "16f882", 0x2FD4, False),
    "PIC16F883": (4096, 256, "16f883", 0x2CF3, False),
    "PIC16F884": (4096, 256, "16f884", 0x2ED5, False),
    "PIC16F886": (8192, 256, "16f886", 0x2FE4, False),
    "PIC16F887": (8192, 256, "16f887", 0x2DF2, False),
}
# The second configuration word (2008h) of the chips that have one.
CONFIG2 = {"PIC16F87": 0x3FFD, "PIC16F88": 0x3FFE, "PIC16F882": 0x3EFF, "PIC16F883": 0x3BFF,
           "PIC16F884": 0x3DFF, "PIC16F886": 0x3EFF, "PIC16F887": 0x39FF}
# The chips whose factory calibration word is in configuration space, and
# where: their --own-calibration program brings a value of its own there.
CALIBRATION_AT = {chip: 0x2008 for chip in ("PIC12F683", "PIC16F684", "PIC16F688", "PIC16F631",
                                            "PIC16F677", "PIC16F685", "PIC16F687", "PIC16F689",
                                            "PIC16F690")}
CALIBRATION_AT.update({chip: 0x2009 for chip in ("PIC16F882", "PIC16F883", "PIC16F884",
                                                 "PIC16F886", "PIC16F887")})

FILE_OPS = ("subwf decf iorwf andwf xorwf addwf movf comf incf decfsz rrf rlf swapf "
            "incfsz").split()
BIT_OPS = ("bcf", "bsf", "btfsc", "btfss")
LITERAL_OPS = ("movlw", "retlw", "iorlw", "andlw", "xorlw", "sublw", "addlw")
WHOLE = ("nop", "clrw", "return", "retfie", "sleep", "clrwdt", "option", "tris 5", "tris 6",
         "tris 7")
# Words no assembler writes: an undefined code, other encodings of NOP,
# CLRW, MOVLW, RETLW, SUBLW and ADDLW, and the erased word.
OTHER_WORDS = (0x0001, 0x0068, 0x007F, 0x0020, 0x0040, 0x0060, 0x0100, 0x017F, 0x3B5A, 0x3BFF,
               0x3180, 0x3377, 0x3601, 0x3D42, 0x3F99, 0x3FFF)


def instruction(n, mix):
    """The n-th word's source; mix varies its operands."""
    f, d, bit, k = mix % 0x80, mix >> 7 & 1, mix >> 8 & 7, mix >> 3 & 0xFF
    rounds = n // 31  # each of the 31 forms once a round
    forms = ([f"{op} 0x{f:02X}, {d}" for op in FILE_OPS] +
             [f"movwf 0x{f:02X}", f"clrf 0x{f:02X}"] +
             [f"{op} 0x{f:02X}, {bit}" for op in BIT_OPS] +
             [f"{op} 0x{k:02X}" for op in LITERAL_OPS] +
             [f"call 0x{mix % 0x800:03X}", f"goto 0x{mix * 7 % 0x800:03X}"] +
             [WHOLE[rounds % len(WHOLE)], f"dw 0x{OTHER_WORDS[rounds % len(OTHER_WORDS)]:04X}"])
    return forms[n % len(forms)]


def program_lines(words, calibrated, own_calibration, sparse):
    lines = []
    top = words - 2 if calibrated else words - 1
    follows = False  # the word before is in the program
    for address in range(top + 1):
        if sparse and 16 <= (address + 8) % 1024 and address < top - 15:
            follows = False
            continue
        if not follows:
            lines.append(f"\torg 0x{address:03X}")
        follows = True
        if (address + 1) % 1024 == 0 or address == top:  # below an edge, or the last
            text = f"call 0x{(address + 1) % 0x800:03X}"
        elif address % 1024 == 0 and address > 0:
            text = f"goto 0x{(address - 1) % 0x800:03X}"
        else:
            text = instruction(address, address * 0x9E3779B1 >> 16 & 0xFFFF)
        lines.append(f"\t{text}\t\t; {address:03X}")
    if own_calibration:
        lines.append("\tretlw 0x5C\t\t; its own calibration value, never written to a chip")
    return lines


def main():
    if sys.argv[1] == "--list":
        for chip, row in CHIPS.items():
            own = row[4] or chip in CALIBRATION_AT
            print(f"{chip}/filled\n{chip}/sparse" + (f"\n{chip}/own_calibration" if own else ""))
        return
    chip = sys.argv[1]
    words, data_bytes, processor, config, calibrated = CHIPS[chip]
    own = "--own-calibration" in sys.argv[3:]
    sparse = "--sparse" in sys.argv[3:]
    index = list(CHIPS).index(chip) + own
    out = [f"; {chip}: every program word, data byte, ID word and the configuration word",
           f"\tlist p={processor}, f={'inhx8m' if index % 2 else 'inhx32'}",
           f"\t__config 0x2007, 0x{config:04X}"]
    if chip in CONFIG2:
        out.append(f"\t__config 0x2008, 0x{CONFIG2[chip]:04X}")
    # The ID words: by __idlocs (one nibble a word) or as whole 14-bit words.
    if sparse:
        pass
    elif index % 2:
        out.append(f"\t__idlocs 0x{0x9C3A + index:04X}")
    else:
        ids = ", ".join(f"0x{(0x1A5 * (i + 3) + index) * 37 % 0x4000:04X}" for i in range(4))
        out += ["\torg 0x2000", f"\tdw {ids}"]
    out += program_lines(words, calibrated, own and calibrated, sparse)
    if own and chip in CALIBRATION_AT:
        out += [f"\torg 0x{CALIBRATION_AT[chip]:04X}",
                "\tdw 0x2A5C\t\t; its own calibration value, never written to a chip"]
    # A different byte in every cell: n * 0x4B + 0xA5 takes each value once.
    if not sparse:
        out.append("\torg 0x2100")
    for n in range(0, data_bytes, 3 if sparse else 16):
        count = 1 if sparse else 16
        values = ", ".join(f"0x{(m * 0x4B + 0xA5 + index) % 256:02X}" for m in range(n, n + count))
        out.append(f"\torg 0x{0x2100 + n:04X}\n\tde {values}" if sparse else f"\tde {values}")
    out.append("\tend")
    with open(sys.argv[2], "w", encoding="ascii") as source:
        source.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
