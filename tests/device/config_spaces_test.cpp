// The configuration fields of the chips whose panels are drawn from them:
// sound as tables, and the same fields, bits and settings as gputils'
// device headers (made from Microchip's device data) give.
#include "device/config_spaces.h"

#include "device/catalogue.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace kalmar::testing {
namespace {

struct Space {
  const char* name;
  const ConfigSpace& space;
  std::vector<const char*> headers;  // gputils' device headers of its chips
};

const std::vector<Space>& spaces() {
  static const std::vector<Space> all = {
      {"PIC16F87/88", kConfigSpaceF87, {"p16f87", "p16f88"}},
      {"PIC16F818", kConfigSpaceF818, {"p16f818"}},
      {"PIC16F819", kConfigSpaceF819, {"p16f819"}},
      {"PIC16F716", kConfigSpaceF716, {"p16f716"}},
      {"PIC12F683/16F684/16F688", kConfigSpaceF683, {"p12f683", "p16f684", "p16f688"}},
      {"PIC16F873A/874A", kConfigSpaceF873A, {"p16f873a", "p16f874a"}},
      {"PIC16F876A/877A", kConfigSpaceF876A, {"p16f876a", "p16f877a"}},
      {"PIC16F631/677/685/687/689/690", kConfigSpaceF683,
       {"p16f631", "p16f677", "p16f685", "p16f687", "p16f689", "p16f690"}},
      {"PIC16F882", kConfigSpaceF882, {"p16f882"}},
      {"PIC16F883/884", kConfigSpaceF883, {"p16f883", "p16f884"}},
      {"PIC16F886/887", kConfigSpaceF886, {"p16f886", "p16f887"}},
      {"PIC12F1822/16F1823/16F1826", kConfigSpaceEnhanced2K,
       {"p12f1822", "p16f1823", "p16f1826"}},
      {"PIC16F1827", kConfigSpaceEnhanced4K, {"p16f1827"}},
      {"PIC16F1847", kConfigSpaceEnhanced8K, {"p16f1847"}},
  };
  return all;
}

// Every implemented bit in exactly one field, every setting within its
// field and told apart, and an erased word a listed setting in each field.
TEST(ConfigSpaces, FieldsCoverTheImplementedBitsOnce) {
  for (const Space& s : spaces()) {
    SCOPED_TRACE(s.name);
    std::array<std::uint16_t, 2> covered{};
    for (const ConfigField& field : s.space.fields) {
      SCOPED_TRACE(field.name);
      ASSERT_LT(field.word, s.space.words);
      auto& bits = covered[static_cast<std::size_t>(field.word)];
      EXPECT_EQ(bits & field.mask, 0) << "overlaps another field";
      bits = static_cast<std::uint16_t>(bits | field.mask);
      std::set<std::uint16_t> values;
      for (const ConfigChoice& choice : field.choices) {
        EXPECT_EQ(choice.value & ~field.mask, 0);
        EXPECT_TRUE(values.insert(choice.value).second);
      }
      const std::uint16_t blank = s.space.blank(field.word);
      EXPECT_GE(choiceIndex(field, blank), 0);
      const int last = static_cast<int>(field.choices.size()) - 1;
      EXPECT_EQ(choiceIndex(field, withChoice(field, blank, last)), last);
      EXPECT_EQ(withChoice(field, blank, last) & ~field.mask, blank & ~field.mask);
    }
    for (int w = 0; w < s.space.words; ++w)
      EXPECT_EQ(covered[static_cast<std::size_t>(w)], s.space.implemented[static_cast<std::size_t>(w)]);
  }
}

// gputils names a setting _FIELD_SETTING with the word it leaves, every
// other bit 1; its 716 names BORV "BODENV" (and "VBOR").
struct HeaderSetting {
  std::string field;
  int word;
  std::uint16_t value;
};

std::vector<HeaderSetting> headerSettings(const std::string& chip) {
  std::ifstream in("/usr/share/gputils/header/" + chip + ".inc");
  const std::regex line(R"(^_([A-Z0-9]+)_[A-Z0-9_]+\s+EQU\s+H'([0-9A-F]{4})')");
  std::vector<HeaderSetting> settings;
  bool inConfig = false;
  int word = 0;
  for (std::string text; std::getline(in, text);) {
    if (text.find("Configuration Bits") != std::string::npos) inConfig = true;
    if (text.find("CONFIG2 Options") != std::string::npos) word = 1;
    std::smatch m;
    if (!inConfig || !std::regex_search(text, m, line)) continue;
    std::string field = m[1];
    if (field == "BODENV" || field == "VBOR") field = "BORV";
    settings.push_back({field, word, static_cast<std::uint16_t>(std::stoi(m[2], nullptr, 16))});
  }
  return settings;
}

TEST(ConfigSpaces, AgreeWithGputilsDeviceHeaders) {
  for (const Space& s : spaces()) {
    for (const char* chip : s.headers) {
      SCOPED_TRACE(chip);
      const std::vector<HeaderSetting> settings = headerSettings(chip);
      if (settings.empty()) GTEST_SKIP() << "no gputils device header for " << chip;
      std::set<std::pair<std::string, std::uint16_t>> named;  // field, value
      for (const HeaderSetting& h : settings) {
        for (const ConfigField& field : s.space.fields) {
          if (h.field != field.name || h.word != field.word) continue;
          const auto implemented = s.space.implemented[static_cast<std::size_t>(field.word)];
          EXPECT_EQ(~h.value & implemented & ~field.mask, 0) << h.field << " touches other bits";
          EXPECT_GE(choiceIndex(field, h.value), 0) << h.field << " " << std::hex << h.value;
          named.insert({field.name, static_cast<std::uint16_t>(h.value & field.mask)});
        }
      }
      for (const ConfigField& field : s.space.fields)
        for (const ConfigChoice& choice : field.choices)
          EXPECT_TRUE(named.count({field.name, choice.value}))
              << field.name << " " << std::hex << choice.value << " not in gputils";
    }
  }
}

// A row that draws its panel from fields says the same of its words.
TEST(ConfigSpaces, CatalogueRowsAgreeWithTheirFields) {
  for (const CatalogueEntry& entry : catalogue()) {
    if (entry.configSpace == nullptr) continue;
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(entry.configSpace->words, entry.configWords);
    EXPECT_EQ(entry.configSpace->implemented[0], entry.implementedConfigBits);
  }
}

TEST(ConfigSpaces, LabelsNameTheChipsOwnOscillatorPins) {
  const ConfigField& fosc = kConfigSpaceF683.fields[0];
  EXPECT_EQ(choiceLabel(fosc.choices[4], {"GP4", "GP5"}), "INTOSCIO: GP4 и GP5 — порты");
  EXPECT_EQ(choiceLabel(fosc.choices[7], {"RA4", "RA5"}), "EXTRC: RC на RA5, CLKOUT на RA4");
}

}  // namespace
}  // namespace kalmar::testing
