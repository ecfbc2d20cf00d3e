#include "sim/chip_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace kalmar::testing {
namespace {

using sim::ChipKind;

TEST(ChipFile, TextRoundTripKeepsEveryAreaAndFactoryValues) {
  sim::SimChip chip(ChipKind::PIC12F675);
  chip.program[0] = 0x2805;
  chip.ids = {1, 2, 3, 0x3FFF};
  chip.data[127] = 0x5A;
  std::string text = sim::chipToText(chip);
  EXPECT_NE(text.find("chip PIC12F675\nconfig 2FFF\nid 0001 0002 0003 3FFF\n"), std::string::npos);
  EXPECT_NE(text.find("pm 03F8 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 3FFF 343C\n"), std::string::npos);

  auto back = sim::chipFromText(text);
  ASSERT_TRUE(back.chip) << back.error;
  EXPECT_EQ(back.chip->kind(), ChipKind::PIC12F675);
  EXPECT_EQ(back.chip->program, chip.program);
  EXPECT_EQ(back.chip->data, chip.data);
  EXPECT_EQ(back.chip->ids, chip.ids);
  EXPECT_EQ(back.chip->config, chip.config);
}

// The words at 2008h: the PIC16F88's second configuration word and the
// PIC12F683's calibration word, each only where the chip has it.
TEST(ChipFile, WordsAt2008hRoundTripWhereTheChipHasThem) {
  sim::SimChip f88(ChipKind::PIC16F88);
  f88.config2 = 0x3FFE;
  sim::SimChip f683(ChipKind::PIC12F683, sim::kFactoryBandGap, 0x1F80);
  EXPECT_NE(sim::chipToText(f88).find("config 3FFF\nconfig2 3FFE\nid"), std::string::npos);
  EXPECT_NE(sim::chipToText(f683).find("config 3FFF\ncal 1F80\nid"), std::string::npos);
  auto back88 = sim::chipFromText(sim::chipToText(f88));
  auto back683 = sim::chipFromText(sim::chipToText(f683));
  ASSERT_TRUE(back88.chip && back683.chip);
  EXPECT_EQ(back88.chip->config2, 0x3FFE);
  EXPECT_EQ(back683.chip->calibrationWord, 0x1F80);

  auto wrong = sim::chipFromText("Kalmar simulated chip\nchip PIC16F88\ncal 1F80\n");
  EXPECT_EQ(wrong.error, "строка 3: cal: у этого микроконтроллера нет такого слова");
}

TEST(ChipFile, HandWrittenFileNeedsOnlyWhatDiffers) {
  auto parsed = sim::chipFromText(
      "# my test chip\nKalmar simulated chip\r\nchip PIC16F84A\r\npm 10 0aBc 3fff\ndm 3F 7\n");
  ASSERT_TRUE(parsed.chip) << parsed.error;
  EXPECT_EQ(parsed.chip->program[0x10], 0x0ABC);
  EXPECT_EQ(parsed.chip->program[0], 0x3FFF);
  EXPECT_EQ(parsed.chip->data[0x3F], 0x07);
}

TEST(ChipFile, BadTextIsRefusedWithItsLine) {
  struct Case {
    const char* text;
    const char* error;
  };
  for (Case c : {
           Case{"", "нет строки chip"},
           Case{"hello\n", "строка 1: это не файл симулированного микроконтроллера"},
           Case{"Kalmar simulated chip\nchip PIC99\n", "строка 2: неизвестный микроконтроллер"},
           Case{"Kalmar simulated chip\npm 0 1\n", "строка 2: строка chip должна идти первой"},
           Case{"Kalmar simulated chip\nchip PIC16F84\npm 3FF 1 2\n",
                "строка 3: выходит за конец памяти"},
           Case{"Kalmar simulated chip\nchip PIC16F84\ndm 0 100\n",
                "строка 3: неверное значение 100"},
           Case{"Kalmar simulated chip\nchip PIC16F84\nconfig 4000\n",
                "строка 3: config: нужно одно слово не больше 3FFF"},
           Case{"Kalmar simulated chip\nchip PIC16F84\nid 1 2 3\n",
                "строка 3: id: нужны четыре слова"},
           Case{"Kalmar simulated chip\nchip PIC16F84\npm FFFF 1\n",
                "строка 3: выходит за конец памяти"},
           Case{"Kalmar simulated chip\nchip PIC16F84\nflash 0\n",
                "строка 3: неизвестный ключ flash"},
       }) {
    auto parsed = sim::chipFromText(c.text);
    EXPECT_FALSE(parsed.chip) << c.text;
    EXPECT_EQ(parsed.error, c.error) << c.text;
  }
}

TEST(ChipFile, SavesAtomicallyAndReportsUnwritablePaths) {
  auto directory = std::filesystem::temp_directory_path() / "kalmar_chip_file_test";
  std::filesystem::create_directories(directory);
  std::string path = (directory / "chip.txt").string();
  sim::SimChip chip(ChipKind::PIC16F628);
  chip.program[7] = 0x0007;
  std::string error;
  ASSERT_TRUE(sim::saveChipFile(chip, path, error)) << error;
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  auto loaded = sim::loadChipFile(path);
  ASSERT_TRUE(loaded.chip) << loaded.error;
  EXPECT_EQ(loaded.chip->program[7], 0x0007);

  EXPECT_FALSE(sim::saveChipFile(chip, (directory / "missing" / "chip.txt").string(), error));
  EXPECT_NE(error.find("missing"), std::string::npos);
  auto absent = sim::loadChipFile((directory / "absent.txt").string());
  EXPECT_FALSE(absent.chip);
  EXPECT_NE(absent.error.find("absent.txt"), std::string::npos);
  std::filesystem::remove_all(directory);
}

}  // namespace
}  // namespace kalmar::testing
