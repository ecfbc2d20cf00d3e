#include "sim/family_rules.h"

#include <initializer_list>

namespace kalmar::sim {

namespace {

constexpr std::uint64_t commandSet(std::initializer_list<int> codes) {
  std::uint64_t set = 0;
  for (int code : codes) set |= std::uint64_t{1} << code;
  return set;
}

// DS39607/DS39603: Load Configuration, Load/Read PM and DM, Increment,
// 08h, 09h, 0Bh, 17h End Programming, 18h, 1Fh Chip Erase.
constexpr FamilyRules kF81x = {
    commandSet({0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0B, 0x17, 0x18, 0x1F}),
    0x2000, 0x0100, 4, 32, 0, true, false, 0, 0, 0};

// DS40245: no data memory and no 08h; 0Eh End Programming.
constexpr FamilyRules kF716 = {commandSet({0x00, 0x02, 0x04, 0x06, 0x09, 0x0E, 0x18}),
                               0x2000, 0, 4, 0, 0, false, true, 0, 0, 0};

// DS41204: 0Ah End Programming, 11h Row Erase of 16 words.
constexpr FamilyRules kF683 = {
    commandSet({0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0A, 0x0B, 0x11, 0x18}),
    0x0040, 0x0080, 4, 0, 16, false, true, 0x0007, 0x0004, 0x0020};

// DS39589: the DS39607 commands with eight latches; 08h erases the row and
// programs it, timing itself; 18h programs only until 17h.
constexpr FamilyRules kF87xA = {
    commandSet({0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0B, 0x17, 0x18, 0x1F}),
    0x2000, 0x0100, 8, 8, 0, true, false, 0, 0, 0, true};

// DS41287: the DS41204 commands and timing; eight latches on the PIC16F886/
// 887, four on the PIC16F882/883/884 (their rows say so).
constexpr FamilyRules kF88x = {
    commandSet({0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0A, 0x0B, 0x11, 0x18}),
    0x0040, 0x0080, 8, 0, 16, false, true, 0x0007, 0x0004, 0x0020};

// DS41390/DS41439: the DS41204 commands and 16h Reset Address; /CP bit 7,
// /CPD bit 8; latches and rows per chip (their rows).
constexpr FamilyRules kF1xxx = {
    commandSet({0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x08, 0x09, 0x0A, 0x0B, 0x11, 0x16, 0x18}),
    0x0080, 0x0100, 16, 0, 16, false, true, 0x0007, 0x0004, 0x0040};

}  // namespace

const FamilyRules* rulesOf(SimFamily family) {
  switch (family) {
    case SimFamily::F81x:
      return &kF81x;
    case SimFamily::F716:
      return &kF716;
    case SimFamily::F683:
      return &kF683;
    case SimFamily::F87xA:
      return &kF87xA;
    case SimFamily::F88x:
      return &kF88x;
    case SimFamily::F1xxx:
      return &kF1xxx;
    case SimFamily::F84:
    case SimFamily::F62x:
    case SimFamily::F62xA:
    case SimFamily::F12F6:
      break;
  }
  return nullptr;
}

}  // namespace kalmar::sim
