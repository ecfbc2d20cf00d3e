// gputils' gpdasm as a second opinion on the disassembler: every word of
// every chip's own test program (tests/programs) reads the same in both.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "device/catalogue.h"
#include "files/disassembler.h"
#include "model/buffer.h"

namespace kalmar::testing {
namespace {

namespace fs = std::filesystem;

std::string format(const char* pattern, unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, pattern, value);
  return text;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

// A line of the disassembler without its bank marker, blanks run together.
std::string collapsed(std::string text) {
  if (const auto marker = text.find(kAmbiguityMarker); marker != std::string::npos)
    text.erase(marker);
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// How the disassembler writes what gpdasm writes as `mnemonic operands`:
// mnemonics in capitals; literals 0FFh for 0xff; register addresses by the
// chip's bank-0 name or as 0Ch; the d and bit operands as a digit; jump
// targets as labels L_07FF; TRIS 0x65/0x66/0x67 as TRIS PORTA/PORTB/PORTC;
// a word that is no instruction (gpdasm's dw) as -???-. Three kinds of
// words on purpose otherwise: 3FFFh (gpdasm's ADDLW 0xff) is an erased
// cell, shown "---"; 0100h-017Fh but 0103h, which gpdasm leaves as dw, are
// CLRW as the data sheets define it; a CALL or GOTO whose 11-bit target lies
// beyond the chip's memory, a dw to gpdasm, is the jump the chip makes (its
// address wraps). `rule` names the rule that applied.
std::string expectedText(const std::string& mnemonic, const std::vector<unsigned>& operands,
                         std::uint16_t word, const DeviceProfile& profile, std::string& rule) {
  const auto reg = [&](unsigned address) {
    return D0_Parametr(static_cast<std::uint8_t>(address), profile.registers).name;
  };
  static const std::string kLiterals = " movlw retlw iorlw andlw xorlw sublw addlw ";
  rule = "same";
  if (word == kBlankWord) return rule = "erased", "---";
  const unsigned target = word & 0x07FFu;
  if (mnemonic == "dw" && (word & 0x3000) == 0x2000 && target >= unsigned(profile.programWords))
    return rule = "far jump", format(word & 0x0800 ? "GOTO L_%04X" : "CALL L_%04X", target);
  if (mnemonic == "dw") {
    rule = (word & 0xFF80) == 0x0100 ? "clrw" : "dw";
    return rule == "clrw" ? "CLRW" : kNotAnInstruction;
  }
  std::string text = upper(mnemonic);
  if (operands.empty()) return text;
  if (mnemonic == "tris") return rule = "tris", text + " PORT" + char('A' + operands[0] - 0x65);
  if (mnemonic == "call" || mnemonic == "goto") return text + format(" L_%04X", operands[0]);
  if (kLiterals.find(" " + mnemonic + " ") != std::string::npos)
    return text + format(" %03Xh", operands[0]);
  text += " " + reg(operands[0]);
  if (operands.size() > 1) text += format(", %u", operands[1]);
  return text;
}

TEST(DisassemblerAndGpdasm, AgreeOnEveryWordOfEveryChip) {
  const fs::path root = KALMAR_PROGRAMS_DISASM_DIR;
  std::map<std::string, int> rules;
  int files = 0;
  for (const CatalogueEntry& chip : catalogue()) {
    const DeviceProfile profile = profileOf(chip);
    for (const auto& entry : fs::directory_iterator(root / chip.name)) {
      SCOPED_TRACE(entry.path().string());
      ++files;
      std::ifstream in(entry.path());
      int words = 0;
      for (std::string line; std::getline(in, line);) {
        unsigned address = 0;
        unsigned word = 0;
        char mnemonic[16] = {};
        char rest[64] = {};
        if (std::sscanf(line.c_str(), "%x: %x %15s %63[^\n]", &address, &word, mnemonic, rest) < 3 ||
            address >= static_cast<unsigned>(profile.programWords))
          continue;
        std::vector<unsigned> operands;
        for (const char* at = rest; *at != '\0';) {
          char* end = nullptr;
          operands.push_back(static_cast<unsigned>(std::strtoul(at, &end, 16)));
          at = *end == ',' ? end + 1 : end + std::strlen(end);
        }
        ++words;
        std::string rule;
        const auto w = static_cast<std::uint16_t>(word);
        EXPECT_EQ(collapsed(decodeWord(w, profile.registers).text),
                  expectedText(mnemonic, operands, w, profile, rule))
            << format("%04X: ", address) << line;
        ++rules[rule];
      }
      EXPECT_TRUE(entry.path().stem() == "sparse" || words >= profile.programWords - 1);
    }
  }
  EXPECT_GE(files, static_cast<int>(catalogue().size()));
  // The programs meet every rule of the mapping.
  for (const char* rule : {"same", "erased", "dw", "clrw", "tris", "far jump"}) EXPECT_GT(rules[rule], 0) << rule;
}

}  // namespace
}  // namespace kalmar::testing
