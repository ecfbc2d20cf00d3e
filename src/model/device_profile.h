#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kalmar {

struct ConfigSpace;  // model/config_fields.h

// The chips added later (FieldTable) have their configuration words drawn
// from a field table (configSpace) instead of a panel of their own.
enum class Family { Family84, Family62x, Family12F6xx, FieldTable };
enum class ConfigPanel { GroupBox5, GroupBox7, Fields };
// Whose register names the disassembler and the listing export use: the
// PIC16F84's, the PIC16F62x's (and 648A's), the 8-pin PIC12F629/675's
// (GPIO), the 14-pin PIC16F630's and PIC16F676's (PORTA/PORTC, the 676's ADC);
// then the chips added later, each with its register file
// (files/register_files.h): PIC16F87, PIC16F88, PIC16F818/819, PIC16F716,
// PIC12F683, PIC16F684, PIC16F688, PIC16F631/677/685/687/689/690, the
// 28-pin PIC16F873A/876A and the 40-pin PIC16F874A/877A, the 28-pin
// PIC16F882/883/886 and the 40-pin PIC16F884/887.
enum class RegisterSet {
  F84, F62x, F12F6xx, F630, F676, F87, F88, F81x, F716, F683, F684, F688,
  F631, F677, F685, F687, F689, F690, F876A, F877A, F886, F887
};

// How the configuration word's bits are laid out where chips of one family
// differ: PWRTE active high on the PIC16C84 only; one code-protection bit
// and bits 12:9 unimplemented on the PIC16F627A/628A.
enum class ConfigLayout { F84, C84, F62x, F62xA, F12F6xx, Fields };

// How a chip is erased whole.
enum class EraseSequence {
  // The code-protection clearing with the setup commands (01h, 07h) first,
  // and 00FFh loaded before the data memory bulk erase.
  ClearProtectionFirst,
  // The two bulk erases alone, with the address in configuration memory.
  BulkOnly,
  // Chip Erase (1Fh) takes everything and clears any protection; program
  // memory alone is erased by 09h with the counter in it, started by Begin
  // Programming and ended by End Programming (PIC16F87/88/818/819).
  ChipErase,
  // 09h and 0Bh each run by themselves, with the counter at 2000h for the
  // whole chip (protection cleared, a calibration word at 2008h kept) or
  // in program memory for program memory alone (PIC16F716, PIC12F683 family).
  SelfTimedBulk,
};

// The oscillator pins of the second configuration panel's hints: the one
// that gives CLKOUT and the one that takes CLKIN.
struct OscillatorPins {
  std::string_view clockOut;
  std::string_view clockIn;
  bool operator==(const OscillatorPins&) const = default;
};

// A chip's own programming cycle times in microseconds, the longest value
// Microchip's programming specifications give; 0 where the chip has no such
// cycle.
struct CycleTimes {
  int programWordUs = 0;  // Begin Erase/Programming on a program word
  int programOnlyUs = 0;  // Begin Programming Only, after a bulk erase
  int dataByteUs = 0;     // a data memory byte
  int bulkEraseUs = 0;    // the longest bulk erase
  int configWordUs = 0;   // the configuration word and an ID word
  int chipEraseUs = 0;    // Chip Erase (1Fh), where the chip has it
  bool operator==(const CycleTimes&) const = default;
};

// The selected chip: a copy of its catalogue row. Every per-chip decision
// reads a capability here, never the name; the family only chooses the
// configuration word's fields and their panel.
struct DeviceProfile {
  std::string name = "PIC16F84";
  Family family = Family::Family84;
  ConfigLayout layout = ConfigLayout::F84;
  int programWords = 1024;
  int dataBytes = 64;
  ConfigPanel panel = ConfigPanel::GroupBox5;
  RegisterSet registers = RegisterSet::F84;
  bool erOscillatorLabels = false;
  OscillatorPins oscillatorPins;
  // The calibration word at the last address and the BG bits of the
  // configuration word are factory values, kept across every erase; the
  // configuration word is written only with the kept BG bits.
  bool calibrationPreserved = false;
  EraseSequence erase = EraseSequence::ClearProtectionFirst;
  // Data memory is written FFh byte by byte after a bulk erase: the chip
  // erases it only while clearing a code protection.
  bool dataWrittenAfterErase = true;
  // Begin Programming Only (18h) programs a word in a cycle the chip times
  // itself; used after a bulk erase, where nothing is left to erase.
  bool programOnlyCommand = false;
  // Programming mode powers VDD (the second switch, D3) before VPP.
  bool vddBeforeVpp = true;
  std::uint16_t deviceId = 0;  // bits 13:5 of the word at 2006h; 0 where the chip has none
  std::uint16_t revisionMask = 0;
  // The configuration bits the chip implements; the others read 0 whatever
  // was written. Also what an erased configuration word reads.
  std::uint16_t implementedConfigBits = 0x3FFF;
  // The bits that protect the program memory, all clear when protected.
  std::uint16_t codeProtectBits = 0x3FF0;
  CycleTimes cycles{10000, 0, 20000, 20000, 10000};
  // Configuration words at 2007h on: one, or two (2007h and 2008h).
  int configWords = 1;
  // The configuration words as fields, for a panel drawn from them; null
  // for the chips whose panels are their own.
  const ConfigSpace* configSpace = nullptr;
  // A factory calibration word in configuration space (2008h on the
  // PIC12F683 family, 2009h on the PIC16F88x), kept across every erase; 0
  // where the chip has none.
  std::uint16_t calibrationWordAt = 0;
  // Program memory is written through this many write latches: a row of
  // words loaded, then one Begin Programming Only (18h) cycle programs them
  // all. 1 where every word has a cycle of its own.
  int rowWords = 1;
  // End Programming, which ends an externally timed cycle (17h, 0Eh, 0Ah);
  // 0 where the program never sends it. Every 18h cycle ends with it.
  std::uint8_t endCommand = 0;
  // Begin Erase/Programming (08h) also runs until End Programming.
  bool beginProgrammingEnded = false;
  // The command that begins the cycle of one ID word, configuration word or
  // data byte: 08h, or 18h on a chip without 08h.
  std::uint8_t wordCycleCommand = 0x08;
  // Some of Microchip's and programmers' sources allow the chip no more
  // than 12 V on MCLR, below the adapter's 13 V: the user is reminded once
  // to lower VPP (the adapter page says how).
  bool vppAtMost12V = false;
  // Where configuration space begins: 2000h, or 8000h on the PIC12F1822
  // family (its HEX files reach it and data memory through extended linear
  // addresses).
  std::uint16_t configBase = 0x2000;
  // Entered at low voltage only (the PIC12F1822 family, whose VPP limit is
  // below the adapter's): while such a chip is chosen the line never raises
  // VPP (LineProtocol::setLowVoltageEntry).
  bool lowVoltageEntry = false;

  bool operator==(const DeviceProfile&) const = default;

  bool hasDeviceId() const { return deviceId != 0; }
  // Whether a word read back from the chip is the word written, in every
  // bit the chip has.
  bool configMatches(std::uint16_t readBack, std::uint16_t written) const {
    return ((readBack ^ written) & implementedConfigBits) == 0;
  }
};

// The parallel port in use: LPT1 exactly when the data register is 378h.
struct PortSelection {
  std::uint16_t dataRegister = 0x378;
  std::uint16_t statusRegister = 0x379;
  bool isLpt1() const { return dataRegister == 0x378; }
};

}  // namespace kalmar
