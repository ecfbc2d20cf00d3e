#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace kalmar {

// Upper-case hex of a fixed number of digits, as every text of the window
// writes words (4), bytes (2), port addresses (3) and colours (8).
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
