#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kalmar {

// Text files the program reads and writes are Windows-1251 with CR LF line
// ends; inside the program text is UTF-8.

// Characters with no place in Windows-1251 become '?'.
std::string utf8ToCp1251(std::string_view utf8);
// Byte 98h, the one code without a character, becomes U+FFFD.
std::string cp1251ToUtf8(std::string_view cp1251);

// Splits text at CR LF, LF or a lone CR; a line end at the very end gives
// no empty last line.
std::vector<std::string> splitLines(std::string_view text);

}  // namespace kalmar
