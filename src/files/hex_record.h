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

  // Program records route to program memory up to this byte address: 1000h
  // for the chips of 1024 and 2048 words (a 1K chip refuses the words above
  // 800h before routing), 2000h for the PIC16F648A's 4096.
  int programAreaEnd() const { return std::max(0x1000, 2 * programWords); }
  // The last start address of the 4000h area: 4300h for 64 and 128 data
  // bytes, 4200h + 2 * 256 = 4400h for the PIC16F648A.
  int dataAreaEnd() const { return std::max(0x4300, 0x4200 + 2 * dataBytes); }
};

struct HexParse {
  HexError error = HexError::None;
  char badCharacter = 0;  // for BadCharacter
  HexRecord record;       // count and address are valid from Addressing on
};

HexParse parseHexRecord(std::string_view line, const HexLimits& limits);

// Where the words of a record go, by its address field and count: program
// memory when it ends by programAreaEnd(), the configuration word at 400Eh,
// IDs from 4000h..4007h, data from 41FFh up to the last data byte's address
// (42FFh for up to 128 bytes, 43FFh for 256); on a chip that has one, the
// second configuration word or the calibration word at 4010h; anything
// else is ignored.
enum class HexArea { Program, Config, Config2, Calibration, Id, Data, Ignored };
HexArea routeOf(const HexRecord& record, const HexLimits& limits);

}  // namespace kalmar
