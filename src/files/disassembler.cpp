#include "files/disassembler.h"

#include <array>

#include "files/register_files.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

struct RegisterName {
  const char* name;  // nullptr: shown as hex
  bool ambiguous;
};

using RegisterTable = std::array<RegisterName, 0x20>;

// The registers the PIC12F629/675 share with the 14-pin PIC16F630/676
// (DS41190, DS40039): their ports differ (GPIO; PORTA and PORTC), the ADC is
// the 675's and 676's only.
constexpr void addMidrangeFlashNames(RegisterTable& t, bool fourteenPins, bool adc) {
  if (fourteenPins) {
    t[0x05] = {"PORTA", true};
    t[0x07] = {"PORTC", true};
  } else {
    t[0x05] = {"GPIO", true};
  }
  t[0x0A] = {"PCLATH", false};
  t[0x0B] = {"INTCON", false};
  t[0x0C] = {"PIR1", true};
  t[0x0E] = {"TMR1L", true};
  t[0x0F] = {"TMR1H", false};
  t[0x10] = {"T1CON", true};
  t[0x19] = {"CMCON", true};
  if (!adc) return;
  t[0x1E] = {"ADRESH", true};
  t[0x1F] = {"ADCON0", true};
}

// Bank-0 names of the addresses 00h-1Fh from a chip's register file; a
// register of another name at the same address in another bank makes the
// name ambiguous.
constexpr RegisterTable tableOfFile(std::span<const RegisterEntry> file) {
  RegisterTable t{};
  for (const RegisterEntry& entry : file) {
    if (entry.address >= 0x20) continue;
    bool ambiguous = false;
    for (const RegisterEntry& other : file)
      ambiguous = ambiguous ||
                  (other.address != entry.address && (other.address & 0x7F) == entry.address);
    t[entry.address] = {entry.name, ambiguous};
  }
  return t;
}

// Bank-0 names of the addresses 00h-1Fh; a '*' entry in the family's data
// sheet table means the same address is another register in another bank.
constexpr RegisterTable makeTable(RegisterSet set) {
  if (const auto file = registerFileOf(set); !file.empty()) return tableOfFile(file);
  RegisterTable t{};
  t[0x00] = {"INDF", false};
  t[0x01] = {"TMR0", true};
  t[0x02] = {"PCL", false};
  t[0x03] = {"STATUS", false};
  t[0x04] = {"FSR", false};
  switch (set) {
    case RegisterSet::F84:
      t[0x05] = {"PORTA", true};
      t[0x06] = {"PORTB", true};
      t[0x08] = {"EEDATA", true};
      t[0x09] = {"EEADR", true};
      t[0x0A] = {"PCLATH", false};
      t[0x0B] = {"INTCON", false};
      break;
    case RegisterSet::F62x:
      t[0x05] = {"PORTA", true};
      t[0x06] = {"PORTB", true};
      t[0x0A] = {"PCLATH", true};
      t[0x0B] = {"INTCON", true};
      t[0x0C] = {"PIR1", false};
      t[0x0E] = {"TMR1L", true};
      t[0x0F] = {"TMR1H", false};
      t[0x10] = {"T1CON", false};
      t[0x11] = {"TMR2", false};
      t[0x12] = {"T2CON", false};
      t[0x15] = {"CCPR1L", false};
      t[0x16] = {"CCPR1H", false};
      t[0x17] = {"CCP1CON", false};
      t[0x18] = {"RCSTA", true};
      t[0x19] = {"TXREG", true};
      t[0x1A] = {"RCREG", true};
      t[0x1B] = {"EEADR", false};
      t[0x1C] = {"EECON1", false};
      t[0x1D] = {"EECON2", false};
      t[0x1F] = {"CMCON", true};
      break;
    case RegisterSet::F12F6xx:  // the PIC12F629 keeps the 675's ADC names, as it always had
      addMidrangeFlashNames(t, false, true);
      break;
    case RegisterSet::F630:
      addMidrangeFlashNames(t, true, false);
      break;
    case RegisterSet::F676:
      addMidrangeFlashNames(t, true, true);
      break;
    default:  // the register files above
      break;
  }
  return t;
}

constexpr std::array<RegisterTable, 22> kTables = {
    makeTable(RegisterSet::F84),  makeTable(RegisterSet::F62x), makeTable(RegisterSet::F12F6xx),
    makeTable(RegisterSet::F630), makeTable(RegisterSet::F676), makeTable(RegisterSet::F87),
    makeTable(RegisterSet::F88),  makeTable(RegisterSet::F81x), makeTable(RegisterSet::F716),
    makeTable(RegisterSet::F683), makeTable(RegisterSet::F684), makeTable(RegisterSet::F688),
    makeTable(RegisterSet::F631), makeTable(RegisterSet::F677), makeTable(RegisterSet::F685),
    makeTable(RegisterSet::F687), makeTable(RegisterSet::F689), makeTable(RegisterSet::F690),
    makeTable(RegisterSet::F876A), makeTable(RegisterSet::F877A), makeTable(RegisterSet::F886),
    makeTable(RegisterSet::F887)};

std::string padded(const char* mnemonic, int blanks) {
  return std::string(mnemonic) + std::string(static_cast<std::size_t>(blanks), ' ');
}

// Byte-oriented file register instructions, H = 02h..0Fh, with the blanks
// that follow each mnemonic.
struct FileOp {
  const char* mnemonic;
  int blanks;
};
constexpr FileOp kFileOps[16] = {
    {nullptr, 0}, {nullptr, 0}, {"SUBWF", 8}, {"DECF", 9},   {"IORWF", 7}, {"ANDWF", 5},
    {"XORWF", 8}, {"ADDWF", 5}, {"MOVF", 9},  {"COMF", 8},   {"INCF", 10}, {"DECFSZ", 5},
    {"RRF", 13},  {"RLF", 13},  {"SWAPF", 9}, {"INCFSZ", 6},
};

const char* wholeWord(std::uint16_t word) {
  switch (word) {
    case 0x0008:
      return "RETURN";
    case 0x0009:
      return "RETFIE";
    case 0x0062:
      return "OPTION";
    case 0x0063:
      return "SLEEP";
    case 0x0064:
      return "CLRWDT";
    case 0x0065:
      return "TRIS            PORTA";
    case 0x0066:
      return "TRIS            PORTB";
    case 0x0067:
      return "TRIS            PORTC";
    case 0x0103:
      return "CLRW";
    case 0x3FFF:
      return kErasedWordText;
    default:
      return nullptr;
  }
}

std::string literal(std::uint8_t low) {
  return hexDigits(low, 3) + "h";
}

}  // namespace

RegisterOperand D0_Parametr(std::uint8_t addressByte, RegisterSet registers) {
  const int r = addressByte > 127 ? addressByte - 128 : addressByte;
  const RegisterTable& table = kTables[static_cast<std::size_t>(registers)];
  if (r < 0x20 && table[static_cast<std::size_t>(r)].name != nullptr) {
    const RegisterName& entry = table[static_cast<std::size_t>(r)];
    return {entry.name, entry.ambiguous ? kAmbiguityMarker : ""};
  }
  return {hexDigits(static_cast<std::uint32_t>(r), 2) + "h", ""};
}

std::string labelFor(std::uint16_t address) {
  return "L_" + hex4(address) + ":";
}

namespace {

// Instructions of one kind by the word's high byte: first..last, mnemonic,
// blanks after it.
struct OpcodeRange {
  int first;
  int last;
  const char* mnemonic;
  int blanks;
};

const OpcodeRange* rangeOf(const OpcodeRange* begin, const OpcodeRange* end, int h) {
  for (const OpcodeRange* op = begin; op != end; ++op)
    if (h >= op->first && h <= op->last) return op;
  return nullptr;
}

constexpr OpcodeRange kLiteralOps[] = {
    {0x30, 0x33, "MOVLW", 6}, {0x34, 0x37, "RETLW", 7}, {0x38, 0x38, "IORLW", 7},
    {0x39, 0x39, "ANDLW", 5}, {0x3A, 0x3A, "XORLW", 8}, {0x3C, 0x3D, "SUBLW", 8},
    {0x3E, 0x3F, "ADDLW", 5},
};
constexpr OpcodeRange kBitOps[] = {
    {0x10, 0x13, "BCF", 10},
    {0x14, 0x17, "BSF", 10},
    {0x18, 0x1B, "BTFSC", 6},
    {0x1C, 0x1F, "BTFSS", 6},
};
constexpr OpcodeRange kJumps[] = {{0x20, 0x27, "CALL", 9}, {0x28, 0x2F, "GOTO", 8}};

// The byte-oriented file register operations, high byte 00h..0Fh. Of the
// words 0000h-007Fh only NOP (00h, 20h, 40h, 60h) and the whole words above
// are instructions; every word 0100h-017Fh is CLRW (the data sheets'
// 00 0001 0xxx xxxx), CLRF being 0180h-01FFh.
DecodedWord fileOperation(int h, std::uint8_t low, const RegisterOperand& f) {
  const std::string d = (low & 0x80) ? ", 1" : ", 0";
  if (h == 0x00) {
    if (low & 0x80) return {padded("MOVWF", 6) + f.name + f.marker, std::nullopt};
    if ((low & 0x9F) == 0) return {"NOP", std::nullopt};
    return {kNotAnInstruction, std::nullopt};
  }
  if (h == 0x01) {
    if (low & 0x80) return {padded("CLRF", 8) + f.name + f.marker, std::nullopt};
    return {"CLRW", std::nullopt};
  }
  return {padded(kFileOps[h].mnemonic, kFileOps[h].blanks) + f.name + d + f.marker, std::nullopt};
}

}  // namespace

DecodedWord decodeWord(std::uint16_t w, RegisterSet registers) {
  if (const char* text = wholeWord(w)) return {text, std::nullopt};
  const int h = w >> 8;
  const auto low = static_cast<std::uint8_t>(w & 0xFF);
  const RegisterOperand f = D0_Parametr(low, registers);
  if (h <= 0x0F) return fileOperation(h, low, f);
  if (const OpcodeRange* op = rangeOf(std::begin(kLiteralOps), std::end(kLiteralOps), h))
    return {padded(op->mnemonic, op->blanks) + literal(low), std::nullopt};
  if (const OpcodeRange* op = rangeOf(std::begin(kBitOps), std::end(kBitOps), h)) {
    const std::string bit = hexDigits((w >> 7) & 7, 1);
    return {padded(op->mnemonic, op->blanks) + f.name + ", " + bit + f.marker, std::nullopt};
  }
  if (const OpcodeRange* op = rangeOf(std::begin(kJumps), std::end(kJumps), h)) {
    const auto target = static_cast<std::uint16_t>(w & 0x07FF);
    return {padded(op->mnemonic, op->blanks) + "L_" + hex4(target), target};
  }
  return {kNotAnInstruction, std::nullopt};
}

}  // namespace kalmar
