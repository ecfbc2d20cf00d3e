#include "files/cp1251.h"

#include <gtest/gtest.h>

namespace kalmar::testing {
namespace {

TEST(Cp1251, RussianAlphabetAndSignsMapBothWays) {
  const std::string text = "АБВ Яя Ёё №1 «слово» — конфигурации";
  const std::string bytes = utf8ToCp1251(text);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xC0u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[4]), 0xDFu);
  EXPECT_EQ(static_cast<unsigned char>(bytes[5]), 0xFFu);
  EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 0xA8u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 0xB8u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0xB9u);
  EXPECT_EQ(cp1251ToUtf8(bytes), text);
  for (int byte = 0; byte < 256; ++byte) {
    if (byte == 0x98) continue;
    std::string one(1, static_cast<char>(byte));
    EXPECT_EQ(utf8ToCp1251(cp1251ToUtf8(one)), one) << byte;
  }
}

TEST(Cp1251, WhatHasNoPlaceBecomesAQuestionMark) {
  EXPECT_EQ(utf8ToCp1251("a€b"),
            "a\x88"
            "b");
  EXPECT_EQ(utf8ToCp1251("日本"), "??");
  EXPECT_EQ(utf8ToCp1251("\xFF\xC3"), "??") << "broken UTF-8";
  EXPECT_EQ(cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(Cp1251, LinesSplitAtEveryKindOfLineEnd) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(splitLines("").empty());
}

}  // namespace
}  // namespace kalmar::testing
