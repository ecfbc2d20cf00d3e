#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kalmar::sim {

enum class ChipKind {
  PIC16F84,
  PIC16F84A,
  PIC16C84,
  PIC16F627,
  PIC16F627A,
  PIC16F628,
  PIC16F628A,
  PIC12F629,
  PIC12F675,
  PIC16F648A,
  PIC16F630,
  PIC16F676,
  PIC16F87,
  PIC16F88,
  PIC16F818,
  PIC16F819,
  PIC16F716,
  PIC12F683,
  PIC16F684,
  PIC16F688,
  PIC16F631,
  PIC16F677,
  PIC16F685,
  PIC16F687,
  PIC16F689,
  PIC16F690,
  PIC16F873A,
  PIC16F874A,
  PIC16F876A,
  PIC16F877A,
  PIC16F882,
  PIC16F883,
  PIC16F884,
  PIC16F886,
  PIC16F887,
  PIC12F1822,
  PIC16F1823,
  PIC16F1826,
  PIC16F1827,
  PIC16F1847,
};

// How a family of chips programs and erases, from Microchip's programming
// documents: DS30189 (PIC16C84), DS30262 (PIC16F8X), DS35007 (PIC16F84A),
// DS30034 (PIC16F62X), DS41196 (PIC16F62XA/648A), DS41191 (PIC12F629/675,
// PIC16F630/676), DS39607 (PIC16F87/88), DS39603 (PIC16F818/819), DS40245
// (PIC16F716), DS41204 (PIC12F683, PIC16F684/688, PIC16F631/677/685/687/
// 689/690), DS39589 (PIC16F87xA), DS41287 (PIC16F88x), DS41390 and DS41439
// (the PIC12F1822 family). From the PIC16F87/88 on they write program
// memory through write latches (family_rules.h).
enum class SimFamily {
  F84,    // PIC16F84, PIC16F84A, PIC16C84
  F62x,   // PIC16F627, PIC16F628
  F62xA,  // PIC16F627A, PIC16F628A, PIC16F648A
  F12F6,  // PIC12F629, PIC12F675, PIC16F630, PIC16F676
  F81x,   // PIC16F87, PIC16F88, PIC16F818, PIC16F819
  F716,   // PIC16F716
  F683,   // PIC12F683, PIC16F684, PIC16F688, PIC16F631/677/685/687/689/690
  F87xA,  // PIC16F873A, PIC16F874A, PIC16F876A, PIC16F877A
  F88x,   // PIC16F882, PIC16F883, PIC16F884, PIC16F886, PIC16F887
  // PIC12F1822, PIC16F1823, PIC16F1826, PIC16F1827, PIC16F1847: configuration
  // space at 8000h, entered by the low-voltage key only (their VPP limit is
  // 9 V, below the adapter's).
  F1xxx,
};

struct ChipTraits {
  ChipKind kind;
  const char* name;
  SimFamily family;
  int programWords;
  int dataBytes;
  std::uint16_t deviceId;  // word at 2006h; 3FFFh where the chip has none
  // 09h/0Bh exist (DS30262 gives the original PIC16F84 only the 01h/07h erase).
  bool hasBulkEraseCommands;
  // 0x08 programs without erasing program memory, IDs and configuration
  // (62xA, 12F6xx); elsewhere it erases the cell first.
  bool programOnlyCycle;
  // 09h/0Bh run by themselves (62xA, 12F6xx); elsewhere they arm a bulk erase
  // that the next 08h starts (18h too where programOnlyStartsBulkErase).
  bool selfTimedBulkErase;
  bool hasProgramOnlyCommand;  // 18h
  // 18h runs until End Programming (0Ah) rather than by itself (12F6xx).
  bool programOnlyEndedByCommand;
  // 18h, like 08h, starts a bulk erase that 09h/0Bh armed (PIC16F84A).
  bool programOnlyStartsBulkErase;
  bool hasCodeProtectClearing;  // the 01h/07h sequence
  std::int64_t programNs;       // 08h on program memory, IDs, configuration
  std::int64_t dataNs;          // 08h on data memory
  // 18h on program memory, IDs and configuration; where 0Ah ends it, the
  // least time before 0Ah for either memory.
  std::int64_t programOnlyNs;
  std::int64_t bulkEraseNs;
  // Bits of the configuration word that read back as 0 whatever was written.
  std::uint16_t configZeroBits;

  // The chips with write latches set these; the rows before them keep the
  // defaults, which leave them as they always were.
  std::uint16_t revision = 0;        // added to the device ID at 2006h
  std::uint8_t endCommand = 0x0A;    // End Programming, where 18h waits for one
  std::int64_t endDischargeNs = 0;   // TDIS: after End Programming, before the next command
  std::int64_t chipEraseNs = 0;      // 1Fh
  std::int64_t rowEraseNs = 0;       // 11h
  bool hasConfig2 = false;           // a second configuration word at 2008h
  std::uint16_t config2ZeroBits = 0;
  std::uint16_t calibrationAt = 0;   // a factory calibration word's address (2008h, 2009h)
  int latchWords = 0;                // write latches where not the family's
  int rowEraseWords = 0;             // 11h's row where not the family's
  int calibrationWords = 1;          // words from calibrationAt on (two on the PIC1xF1xxx)
  std::int64_t configNs = 0;         // 08h in configuration space where longer than programNs
};

const ChipTraits& traitsOf(ChipKind kind);
std::optional<ChipKind> chipKindFromName(std::string_view name);
const char* chipName(ChipKind kind);

}  // namespace kalmar::sim
