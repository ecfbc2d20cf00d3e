#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kalmar {

// Upper-case hex of a fixed number of digits, as every text of the window
// writes words (4), bytes (2), port addresses (3) and colours (8).
// The value of a hex digit (either case), or -1.
inline int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

inline std::string hexDigits(std::uint32_t value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", digits, value);
  return text;
}
inline std::string hex4(std::uint32_t value) {
  return hexDigits(value & 0xFFFF, 4);
}
inline std::string hex2(std::uint32_t value) {
  return hexDigits(value & 0xFF, 2);
}

}  // namespace kalmar
