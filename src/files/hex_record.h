#pragma once

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
  Addressing,      // outside the chip's program memory and the 4000h-4300h area
  Checksum,        // wrong length, too short, or the bytes do not sum to 0
};

struct HexLimits {
  int programWords = 1024;
  int dataBytes = 64;
};

struct HexParse {
  HexError error = HexError::None;
  char badCharacter = 0;  // for BadCharacter
  HexRecord record;       // count and address are valid from Addressing on
};

HexParse parseHexRecord(std::string_view line, const HexLimits& limits);

// Where the words of a record go, by its address field and count.
enum class HexArea { Program, Config, Id, Data, Ignored };
HexArea routeOf(const HexRecord& record);

}  // namespace kalmar
