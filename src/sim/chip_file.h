#pragma once

#include <memory>
#include <optional>
#include <string>

#include "sim/sim_chip.h"

namespace kalmar::sim {

// A simulated chip as a text file a person can read and edit:
//
//   Kalmar simulated chip
//   chip PIC12F675
//   config 2FFF            the stored configuration word (all 14 bits)
//   config2 3FFF           the second one at 2008h, where the chip has one
//   cal 1F80               the calibration word at 2008h or 2009h, where the chip has one
//                          (two words, at 8009h and 800Ah, on the PIC1xF1xxx)
//   id 3FFF 3FFF 3FFF 3FFF
//   pm 0000 3FFF 3FFF ...  up to 8 words from the given word address
//   dm 00 FF FF ...        up to 16 bytes from the given byte address
//
// Words and addresses are hex; lines may come in any order; what a file does
// not mention stays erased (the PIC12F6xx factory values included). Blank
// lines and lines starting with '#' are ignored.
std::string chipToText(const SimChip& chip);

struct ChipFromText {
  std::unique_ptr<SimChip> chip;  // null when the text was refused
  std::string error;              // why, with the line number
};
ChipFromText chipFromText(const std::string& text);

// File helpers: false with a reason on failure. Saving writes a temporary
// file and renames it over the old one.
bool saveChipFile(const SimChip& chip, const std::string& path, std::string& error);
ChipFromText loadChipFile(const std::string& path);

}  // namespace kalmar::sim
