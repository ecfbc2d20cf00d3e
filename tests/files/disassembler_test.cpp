#include "files/disassembler.h"

#include <gtest/gtest.h>

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
}

}  // namespace
}  // namespace kalmar::testing
