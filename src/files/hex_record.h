#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kalmar {

// One Intel HEX record line, checked in the program's order: first
// character, hex digits, address limit, length, checksum.
struct HexRecord {
  int count = 0;
  std::uint16_t address = 0;
  int type = 0;
  std::vector<std::uint8_t> data;
};

enum class HexError {
  None,
  FirstCharacter,  // not ':'
  BadCharacter,    // a character after ':' that is not a hex digit
  Addressing,      // outside the chip's program memory and its 4000h area (to dataAreaEnd())
  Checksum,        // wrong length, too short, or the bytes do not sum to 0
};

// The chip's sizes, from its catalogue row: every address bound follows them.
// A record is accepted when it ends within program memory (byte 2 *
// programWords), or starts in 4000h..dataAreaEnd() (and, on a chip with 64
// data bytes, ends by 4280h).
struct HexLimits {
  int programWords = 1024;
  int dataBytes = 64;
  int configWords = 1;                 // a second word at 4010h (2008h)
  std::uint16_t calibrationWordAt = 0;  // 2008h or 2009h: a calibration word at 4010h or 4012h
  // 8000h: configuration space at byte 10000h and data memory at 1E000h,
  // reached through extended linear address records (the PIC12F1822 family).
  std::uint16_t configBase = 0x2000;

  bool extended() const { return configBase == 0x8000; }

  // Program records route to program memory up to this byte address: 1000h
  // for the chips of 1024 and 2048 words (a 1K chip refuses the words above
  // 800h before routing), 2000h for the PIC16F648A's 4096.
  int programAreaEnd() const {
    return extended() ? 2 * programWords : std::max(0x1000, 2 * programWords);
  }
  // The last start address of the 4000h area: 4300h for 64 and 128 data
  // bytes, 4200h + 2 * 256 = 4400h for the PIC16F648A.
  int dataAreaEnd() const { return std::max(0x4300, 0x4200 + 2 * dataBytes); }
};

struct HexParse {
  HexError error = HexError::None;
  char badCharacter = 0;  // for BadCharacter
  HexRecord record;       // count and address are valid from Addressing on
};

// `base`: the byte address an extended linear address record set (10000h
// for configuration space and data on a chip with limits.extended(); 0
// otherwise).
HexParse parseHexRecord(std::string_view line, const HexLimits& limits, std::uint32_t base = 0);

// Where the words of a record go, by its address field and count: program
// memory when it ends by programAreaEnd(), the configuration word at 400Eh,
// IDs from 4000h..4007h, data from 41FFh up to the last data byte's address
// (42FFh for up to 128 bytes, 43FFh for 256); on a chip that has one, the
// second configuration word or the calibration word at 4010h; anything
// else is ignored.
enum class HexArea { Program, Config, Config2, Calibration, Id, Data, Ignored };
// On a chip with limits.extended() the same from byte address base + the
// record's: program memory, IDs at 10000h, the words at 1000Eh on, data
// from 1E000h.
HexArea routeOf(const HexRecord& record, const HexLimits& limits, std::uint32_t base = 0);

}  // namespace kalmar
