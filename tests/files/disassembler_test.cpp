#include "files/disassembler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "files/register_files.h"

namespace kalmar::testing {
namespace {

std::string line(std::uint16_t word, RegisterSet registers = RegisterSet::F84) {
  return decodeWord(word, registers).text;
}

TEST(Disassembler, WholeWordsAndByteOperations) {
  EXPECT_EQ(line(0x3FFF), "  ---");
  EXPECT_EQ(line(0x0000), "NOP");
  EXPECT_EQ(line(0x0020), "NOP");
  EXPECT_EQ(line(0x0008), "RETURN");
  EXPECT_EQ(line(0x0009), "RETFIE");
  EXPECT_EQ(line(0x0062), "OPTION");
  EXPECT_EQ(line(0x0063), "SLEEP");
  EXPECT_EQ(line(0x0064), "CLRWDT");
  EXPECT_EQ(line(0x0065), "TRIS            PORTA");
  EXPECT_EQ(line(0x0066), "TRIS            PORTB");
  EXPECT_EQ(line(0x0103), "CLRW");
  EXPECT_EQ(line(0x0080), "MOVWF      INDF");
  // 0100h-017Fh are all CLRW, CLRF needs bit 7; below 0080h only the words
  // named are instructions.
  EXPECT_EQ(line(0x0100), "CLRW");
  EXPECT_EQ(line(0x017F), "CLRW");
  EXPECT_EQ(line(0x0180), "CLRF        INDF");
  EXPECT_EQ(line(0x0067), "TRIS            PORTC");
  EXPECT_EQ(line(0x0001), "-?\?\?-");
  EXPECT_EQ(line(0x0068), "-?\?\?-");
  EXPECT_EQ(line(0x0185), "CLRF        PORTA   ;  *");
  EXPECT_EQ(line(0x0786), "ADDWF     PORTB, 1   ;  *");
  EXPECT_EQ(line(0x0203), "SUBWF        STATUS, 0");
  EXPECT_EQ(line(0x0383), "DECF         STATUS, 1");
  EXPECT_EQ(line(0x0404), "IORWF       FSR, 0");
  EXPECT_EQ(line(0x0502), "ANDWF     PCL, 0");
  EXPECT_EQ(line(0x060C), "XORWF        0Ch, 0");
  EXPECT_EQ(line(0x080C), "MOVF         0Ch, 0");
  EXPECT_EQ(line(0x098C), "COMF        0Ch, 1");
  EXPECT_EQ(line(0x0A0C), "INCF          0Ch, 0");
  EXPECT_EQ(line(0x0B8C), "DECFSZ     0Ch, 1");
  EXPECT_EQ(line(0x0C0C), "RRF             0Ch, 0");
  EXPECT_EQ(line(0x0D0C), "RLF             0Ch, 0");
  EXPECT_EQ(line(0x0E0C), "SWAPF         0Ch, 0");
  EXPECT_EQ(line(0x0F0C), "INCFSZ      0Ch, 0");
}

TEST(Disassembler, BitLiteralAndJumpInstructions) {
  EXPECT_EQ(line(0x1683), "BSF          STATUS, 5");
  EXPECT_EQ(line(0x1283), "BCF          STATUS, 5");
  EXPECT_EQ(line(0x1C0B, RegisterSet::F62x), "BTFSS      INTCON, 0   ;  *");
  EXPECT_EQ(line(0x1B86), "BTFSC      PORTB, 7   ;  *");
  EXPECT_EQ(line(0x30FF), "MOVLW      0FFh");
  EXPECT_EQ(line(0x3400), "RETLW       000h");
  EXPECT_EQ(line(0x3E01), "ADDLW     001h");
  EXPECT_EQ(line(0x3C05), "SUBLW        005h");
  EXPECT_EQ(line(0x3805), "IORLW       005h");
  EXPECT_EQ(line(0x3905), "ANDLW     005h");
  EXPECT_EQ(line(0x3A05), "XORLW        005h");
  EXPECT_EQ(line(0x3B00), "-?\?\?-");
  EXPECT_EQ(line(0x4000), "-?\?\?-");
  EXPECT_EQ(line(0xFFFF), "-?\?\?-");

  DecodedWord jump = decodeWord(0x2805, RegisterSet::F84);
  EXPECT_EQ(jump.text, "GOTO        L_0005");
  EXPECT_EQ(jump.target, 5);
  DecodedWord call = decodeWord(0x2100, RegisterSet::F84);
  EXPECT_EQ(call.text, "CALL         L_0100");
  EXPECT_EQ(call.target, 0x100);
  EXPECT_EQ(decodeWord(0x2FFF, RegisterSet::F84).target, 0x7FF);
  EXPECT_EQ(labelFor(5), "L_0005:");
}

TEST(Disassembler, RegisterNamesFollowTheChip) {
  EXPECT_EQ(line(0x008C, RegisterSet::F84), "MOVWF      0Ch");
  EXPECT_EQ(line(0x008C, RegisterSet::F62x), "MOVWF      PIR1");
  EXPECT_EQ(line(0x008C, RegisterSet::F12F6xx), "MOVWF      PIR1   ;  *");
  EXPECT_EQ(line(0x009B, RegisterSet::F62x), "MOVWF      EEADR");
  EXPECT_EQ(line(0x009A, RegisterSet::F62x), "MOVWF      RCREG   ;  *");
  EXPECT_EQ(line(0x0085, RegisterSet::F12F6xx), "MOVWF      GPIO   ;  *");
  EXPECT_EQ(line(0x0086, RegisterSet::F12F6xx), "MOVWF      06h");
  EXPECT_EQ(line(0x0088, RegisterSet::F84), "MOVWF      EEDATA   ;  *");
  EXPECT_EQ(line(0x0088, RegisterSet::F62x), "MOVWF      08h");
  EXPECT_EQ(line(0x00CF), "MOVWF      4Fh");
  EXPECT_EQ(D0_Parametr(0x9F, RegisterSet::F12F6xx).name, "ADCON0");
  EXPECT_EQ(D0_Parametr(0x07, RegisterSet::F62x).marker, "");
  // The 14-pin chips: PORTA/PORTC, and the ADC only on the PIC16F676.
  EXPECT_EQ(line(0x0087, RegisterSet::F676), "MOVWF      PORTC   ;  *");
  EXPECT_EQ(line(0x0085, RegisterSet::F630), "MOVWF      PORTA   ;  *");
  EXPECT_EQ(D0_Parametr(0x1F, RegisterSet::F676).name, "ADCON0");
  EXPECT_EQ(D0_Parametr(0x1F, RegisterSet::F630).name, "1Fh");
  // The chips with a register file: a name is ambiguous where another bank
  // has another register at its address (TMR1H and the PIC16F87's EEADRH
  // at 10Fh), and the ADC is the PIC16F88's, not the 87's.
  EXPECT_EQ(line(0x008F, RegisterSet::F87), "MOVWF      TMR1H   ;  *");
  EXPECT_EQ(line(0x0091, RegisterSet::F87), "MOVWF      TMR2");
  EXPECT_EQ(D0_Parametr(0x1F, RegisterSet::F88).name, "ADCON0");
  EXPECT_EQ(D0_Parametr(0x1F, RegisterSet::F87).name, "1Fh");
  EXPECT_EQ(line(0x0085, RegisterSet::F683), "MOVWF      GPIO   ;  *");
  EXPECT_EQ(line(0x0091, RegisterSet::F688), "MOVWF      BAUDCTL   ;  *");
}

// Every register of a chip's file stands at that address in gputils'
// device header of the chip (made from Microchip's device data), and every
// address the header names is in the file.
TEST(Disassembler, RegisterFilesAgreeWithGputilsDeviceHeaders) {
  const std::vector<std::pair<RegisterSet, const char*>> chips = {
      {RegisterSet::F87, "p16f87"},   {RegisterSet::F88, "p16f88"},   {RegisterSet::F81x, "p16f818"},
      {RegisterSet::F81x, "p16f819"}, {RegisterSet::F716, "p16f716"}, {RegisterSet::F683, "p12f683"},
      {RegisterSet::F684, "p16f684"}, {RegisterSet::F688, "p16f688"}, {RegisterSet::F631, "p16f631"},
      {RegisterSet::F677, "p16f677"}, {RegisterSet::F685, "p16f685"}, {RegisterSet::F687, "p16f687"},
      {RegisterSet::F689, "p16f689"}, {RegisterSet::F690, "p16f690"}, {RegisterSet::F876A, "p16f873a"},
      {RegisterSet::F877A, "p16f874a"}, {RegisterSet::F876A, "p16f876a"}, {RegisterSet::F877A, "p16f877a"},
      {RegisterSet::F886, "p16f882"},   {RegisterSet::F886, "p16f883"},   {RegisterSet::F886, "p16f886"},
      {RegisterSet::F887, "p16f884"},   {RegisterSet::F887, "p16f887"}};
  const std::regex equ(R"(^([A-Z0-9_]+)\s+EQU\s+H'(0[0-9A-F]{3})')");
  for (const auto& [set, chip] : chips) {
    SCOPED_TRACE(chip);
    std::ifstream in(std::string("/usr/share/gputils/header/") + chip + ".inc");
    if (!in) GTEST_SKIP() << "no gputils device header for " << chip;
    std::multimap<int, std::string> header;  // address: every name it has there
    bool registers = false;
    for (std::string text; std::getline(in, text);) {
      if (text.find("Register Files") != std::string::npos) registers = true;
      if (text.find("Bits") != std::string::npos && registers && !header.empty()) break;
      std::smatch m;
      if (registers && std::regex_search(text, m, equ))
        header.emplace(std::stoi(m[2], nullptr, 16), m[1]);
    }
    std::set<int> ours;
    for (const RegisterEntry& entry : registerFileOf(set)) {
      ours.insert(entry.address);
      bool named = false;
      for (auto [it, end] = header.equal_range(entry.address); it != end; ++it)
        named = named || it->second == entry.name;
      EXPECT_TRUE(named) << entry.name << " at " << entry.address;
    }
    for (const auto& [address, name] : header) EXPECT_TRUE(ours.count(address)) << name;
  }
}

}  // namespace
}  // namespace kalmar::testing
