// The texts that list the chips by hand name every chip of the catalogue.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "cli/options.h"
#include "desktop/options.h"
#include "device/catalogue.h"

namespace kalmar::testing {
namespace {

// The chips a text names; "PIC16F627/627A/628" names three.
std::set<std::string> chipsNamedIn(const std::string& text) {
  static const std::regex kNames(R"((PIC1[0-9][CF])([0-9]+[A-Z]?(?:/[0-9]+[A-Z]?)*))");
  std::set<std::string> named;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), kNames);
       it != std::sregex_iterator(); ++it) {
    std::istringstream parts((*it)[2].str());
    for (std::string part; std::getline(parts, part, '/');) named.insert((*it)[1].str() + part);
  }
  return named;
}

std::string fileText(const std::string& path) {
  std::ifstream in(std::string(KALMAR_SOURCE_DIR) + "/" + path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void expectEveryChipIn(const std::string& where, const std::string& text) {
  const std::set<std::string> named = chipsNamedIn(text);
  for (const CatalogueEntry& row : catalogue())
    EXPECT_TRUE(named.count(row.name)) << where << " does not name " << row.name;
}

TEST(ChipTexts, NameEveryChipOfTheCatalogue) {
  expectEveryChipIn("kalmar-cli --help", cli::helpText());
  expectEveryChipIn("kalmar --help", desktop::desktopHelpText());
  // The desktop entry's comment names families (PIC16F62x) and stays out.
  for (const char* path : {"README.md", "data/Help.htm", "data/Shema.htm", "data/man/kalmar.1",
                           "data/man/kalmar-cli.1", "data/man/ru/kalmar.1",
                           "data/man/ru/kalmar-cli.1", "data/io.github.kalmar.Kalmar.metainfo.xml"})
    expectEveryChipIn(path, fileText(path));
}

TEST(ChipTexts, ReadsTheShortForms) {
  EXPECT_EQ(chipsNamedIn("PIC16F84/84A, PIC16C84, PIC16F62x(A) и PIC12F629/675/683"),
            (std::set<std::string>{"PIC16F84", "PIC16F84A", "PIC16C84", "PIC16F62", "PIC12F629",
                                   "PIC12F675", "PIC12F683"}));
}

}  // namespace
}  // namespace kalmar::testing
