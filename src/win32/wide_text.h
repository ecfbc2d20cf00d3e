#pragma once

#include <string>

namespace kalmar::win32 {

// The program keeps its texts in UTF-8; Windows takes them through its
// wide-character calls. Invalid bytes become U+FFFD, never a lost text.
std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& text);

}  // namespace kalmar::win32
