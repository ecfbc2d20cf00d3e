#pragma once

#include <cstdint>

#include "sim/chip_kind.h"

namespace kalmar::sim {

// What the families with write latches (PIC16F87/88/818/819, PIC16F716,
// PIC12F683/16F684/688 and the 20-pin DS41204 chips, PIC16F87xA) do with each command; the older families keep their
// own code in sim_chip.cpp. Facts and sources in README.md.
struct FamilyRules {
  std::uint64_t commands;  // bit n set: the chip knows command n
  std::uint16_t cpBit;     // /CP: cleared, all program memory is protected
  std::uint16_t cpdBit;    // /CPD; 0 where there is no data memory
  int latchWords;          // write latches, selected by the low address bits
  // 08h erases this many words around the row before it programs the
  // latches, externally timed (PIC16F87/88/818/819); 0: 08h programs only
  // and times itself (DS41204).
  int eraseBlockWords;
  int rowEraseWords;              // 11h
  bool bulkEraseArmed;            // 09h/0Bh wait for 08h (and End Programming)
  bool bulkEraseClearsProtection;  // with the counter in configuration space
  // VDD before VPP is warned of when the configuration runs the chip from its
  // internal oscillator (FOSC under oscMask equal to intOsc or intOsc + 1)
  // with MCLR as an input (mclreBit 0); mclreBit 0 where no warning is due.
  std::uint16_t oscMask, intOsc, mclreBit;
  // 08h erases the block and programs, timing itself rather than waiting
  // for End Programming (PIC16F87xA).
  bool erasingCycleTimesItself = false;

  bool has(std::uint8_t code) const { return code < 64 && ((commands >> code) & 1U) != 0; }
};

// Null for the families without write latches.
const FamilyRules* rulesOf(SimFamily family);

}  // namespace kalmar::sim
