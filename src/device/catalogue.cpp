#include "device/catalogue.h"

#include "device/config_spaces.h"

namespace kalmar {

namespace {

using F = Family;
using L = ConfigLayout;
using P = ConfigPanel;
using R = RegisterSet;
using E = EraseSequence;

constexpr OscillatorPins kRa6Ra7{"RA6", "RA7"};
constexpr OscillatorPins kGp4Gp5{"GP4", "GP5"};
constexpr OscillatorPins kRa4Ra5{"RA4", "RA5"};
constexpr OscillatorPins kNoPins{"", ""};  // the PIC16F84 family's panel names none

// Sources: DS30189 (PIC16C84), DS30262 (PIC16F8X), DS35007 (PIC16F84A),
// DS30034 (PIC16F62X), DS41196 (PIC16F62XA, PIC16F648A), DS41191 (PIC12F629/675,
// PIC16F630/676); the cycle times are the longest each gives (program word,
// program only, data byte, bulk erase, configuration and ID word, in µs).
// The first nine rows are the program's own chips, in its menu's order; the
// chips added later follow them. Columns: program words,
// data bytes, device ID and revision mask, implemented configuration bits,
// code protection bits, ER oscillator labels, calibration kept, cycle times;
// then the oscillator pins, the erase sequence, data memory written blank
// after an erase (the PIC16F84 family erases it only while clearing a code
// protection), Begin Programming Only (self-timed on the PIC16F84A and
// PIC16F627/628; on the 8- and 14-pin chips it needs End Programming, so
// Begin Erase/Programming, which only programs there, is used), VDD before VPP
// (the PIC16F84 family; the others want VPP first: DS30034, DS41196, DS41191).
// clang-format off
const std::vector<CatalogueEntry> kCatalogue = {
    // name         menu item      caption label   family          layout      panel        registers
    // PM    DM   ID      rev.  impl.   prot.   ER     calib. {word,  only,  data, erase, config}
    // osc. pins erase sequence    data    only   VDD first
    {"PIC16F84",   "PIC16F841",   "PIC16F84   ",  F::Family84,    L::F84,     P::GroupBox5, R::F84,
      1024, 64,  0x0000, 0x00, 0x3FFF, 0x3FF0, false, false, {10000,    0, 20000, 20000, 10000},
      kNoPins, E::ClearProtectionFirst, true,  false, true},
    {"PIC16F84A",  "PIC16F84A1",  "PIC16F84A   ", F::Family84,    L::F84,     P::GroupBox5, R::F84,
      1024, 64,  0x0560, 0x1F, 0x3FFF, 0x3FF0, false, false, {10000, 8000, 10000, 10000, 10000},
      kNoPins, E::ClearProtectionFirst, true,  true,  true},
    {"PIC16C84",   "PIC16C841",   "PIC16C84   ",  F::Family84,    L::C84,     P::GroupBox5, R::F84,
      1024, 64,  0x0000, 0x00, 0x3FFF, 0x3FF0, false, false, {10000,    0, 10000, 10000, 10000},
      kNoPins, E::ClearProtectionFirst, true,  false, true},
    {"PIC16F627",  "PIC16F6271",  "PIC16F627   ", F::Family62x,    L::F62x,    P::GroupBox7, R::F62x,
      1024, 128, 0x07A0, 0x1F, 0x3DFF, 0x3C00, true,  false, {13000, 8000,  8000,  5000, 13000},
      kRa6Ra7, E::ClearProtectionFirst, false, true,  false},
    {"PIC16F627A", "PIC16F627A1", "PIC16F627A  ", F::Family62x,    L::F62xA,   P::GroupBox7, R::F62x,
      1024, 128, 0x1040, 0x1F, 0x21FF, 0x2000, false, false, { 4000,    0,  6000,  6000,  4000},
      kRa6Ra7, E::ClearProtectionFirst, false, false, false},
    {"PIC16F628",  "PIC16F6281",  "PIC16F628   ", F::Family62x,    L::F62x,    P::GroupBox7, R::F62x,
      2048, 128, 0x07C0, 0x1F, 0x3DFF, 0x3C00, true,  false, {13000, 8000,  8000,  5000, 13000},
      kRa6Ra7, E::ClearProtectionFirst, false, true,  false},
    {"PIC16F628A", "PIC16F628A1", "PIC16F628A  ", F::Family62x,    L::F62xA,   P::GroupBox7, R::F62x,
      2048, 128, 0x1060, 0x1F, 0x21FF, 0x2000, false, false, { 4000,    0,  6000,  6000,  4000},
      kRa6Ra7, E::ClearProtectionFirst, false, false, false},
    {"PIC12F629",  "PIC12F6291",  "PIC12F629   ", F::Family12F6xx, L::F12F6xx, P::GroupBox7, R::F12F6xx,
      1024, 128, 0x0F80, 0x1F, 0x31FF, 0x0080, false, true,  { 3000, 2000,  6000,  6000,  3000},
      kGp4Gp5, E::BulkOnly,             false, false, false},
    {"PIC12F675",  "PIC12F6751",  "PIC12F675   ", F::Family12F6xx, L::F12F6xx, P::GroupBox7, R::F12F6xx,
      1024, 128, 0x0FC0, 0x1F, 0x31FF, 0x0080, false, true,  { 3000, 2000,  6000,  6000,  3000},
      kGp4Gp5, E::BulkOnly,             false, false, false},
    {"PIC16F648A", "PIC16F648A1", "PIC16F648A  ", F::Family62x,    L::F62xA,   P::GroupBox7, R::F62x,
      4096, 256, 0x1100, 0x1F, 0x21FF, 0x2000, false, false, { 4000,    0,  6000,  6000,  4000},
      kRa6Ra7, E::ClearProtectionFirst, false, false, false},
    {"PIC16F630",  "PIC16F6301",  "PIC16F630   ", F::Family12F6xx, L::F12F6xx, P::GroupBox7, R::F630,
      1024, 128, 0x10C0, 0x1F, 0x31FF, 0x0080, false, true,  { 3000, 2000,  6000,  6000,  3000},
      kRa4Ra5, E::BulkOnly,             false, false, false},
    {"PIC16F676",  "PIC16F6761",  "PIC16F676   ", F::Family12F6xx, L::F12F6xx, P::GroupBox7, R::F676,
      1024, 128, 0x10E0, 0x1F, 0x31FF, 0x0080, false, true,  { 3000, 2000,  6000,  6000,  3000},
      kRa4Ra5, E::BulkOnly,             false, false, false},
    // The chips with write latches (DS39607, DS39603, DS40245, DS41204):
    // the cycle times as above, then Chip Erase; then configuration words,
    // their fields, calibration word, latches, End Programming, whether 08h
    // waits for it, the command of a word's cycle. The PIC16F716's 18h ends
    // by 0Eh and it has no 08h; the DS41204 chips' 08h times itself.
    // name         menu item      caption label   family          layout      panel        registers
    // PM    DM   ID      rev.  impl.   prot.   ER     calib. {word,  only,  data, erase, config, chip erase}
    // osc. pins erase sequence    data    only   VDD first  words  fields  calibration  latches end  08h ended  word cycle  submenu
    {"PIC16F87",   "PIC16F871",   "PIC16F87   ",  F::FieldTable,  L::Fields,  P::Fields,    R::F87,
      4096, 256, 0x0720, 0x1F, 0x3FFF, 0x2000, false, false, { 4000, 2000,  4000, 10000, 4000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  2, &kConfigSpaceF87,  0,      4, 0x17, true,  0x08, "ChipGroupF8x"},
    {"PIC16F88",   "PIC16F881",   "PIC16F88   ",  F::FieldTable,  L::Fields,  P::Fields,    R::F88,
      4096, 256, 0x0760, 0x1F, 0x3FFF, 0x2000, false, false, { 4000, 2000,  4000, 10000, 4000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  2, &kConfigSpaceF87,  0,      4, 0x17, true,  0x08, "ChipGroupF8x"},
    {"PIC16F818",  "PIC16F8181",  "PIC16F818   ", F::FieldTable,  L::Fields,  P::Fields,    R::F81x,
      1024, 128, 0x04C0, 0x1F, 0x3FFF, 0x2000, false, false, { 4000, 2000,  4000,  2000, 4000,  8000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF818, 0,      4, 0x17, true,  0x08, "ChipGroupF8x"},
    {"PIC16F819",  "PIC16F8191",  "PIC16F819   ", F::FieldTable,  L::Fields,  P::Fields,    R::F81x,
      2048, 256, 0x04E0, 0x1F, 0x3FFF, 0x2000, false, false, { 4000, 2000,  4000,  2000, 4000,  8000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF819, 0,      4, 0x17, true,  0x08, "ChipGroupF8x"},
    {"PIC16F716",  "PIC16F7161",  "PIC16F716   ", F::FieldTable,  L::Fields,  P::Fields,    R::F716,
      2048, 0,   0x1140, 0x1F, 0x20CF, 0x2000, false, false, {    0, 2000,     0,  6000, 2500,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  true,  1, &kConfigSpaceF716, 0,      4, 0x0E, false, 0x18, "ChipGroupF716"},
    {"PIC12F683",  "PIC12F6831",  "PIC12F683   ", F::FieldTable,  L::Fields,  P::Fields,    R::F683,
      2048, 256, 0x0460, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kGp4Gp5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF683"},
    {"PIC16F684",  "PIC16F6841",  "PIC16F684   ", F::FieldTable,  L::Fields,  P::Fields,    R::F684,
      2048, 256, 0x1080, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF683"},
    {"PIC16F688",  "PIC16F6881",  "PIC16F688   ", F::FieldTable,  L::Fields,  P::Fields,    R::F688,
      4096, 256, 0x1180, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF683"},
    {"PIC16F631",  "PIC16F6311",  "PIC16F631   ", F::FieldTable,  L::Fields,  P::Fields,    R::F631,
      1024, 128, 0x1420, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F677",  "PIC16F6771",  "PIC16F677   ", F::FieldTable,  L::Fields,  P::Fields,    R::F677,
      2048, 256, 0x1440, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F685",  "PIC16F6851",  "PIC16F685   ", F::FieldTable,  L::Fields,  P::Fields,    R::F685,
      4096, 256, 0x04A0, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F687",  "PIC16F6871",  "PIC16F687   ", F::FieldTable,  L::Fields,  P::Fields,    R::F687,
      2048, 256, 0x1320, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F689",  "PIC16F6891",  "PIC16F689   ", F::FieldTable,  L::Fields,  P::Fields,    R::F689,
      4096, 256, 0x1340, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F690",  "PIC16F6901",  "PIC16F690   ", F::FieldTable,  L::Fields,  P::Fields,    R::F690,
      4096, 256, 0x1400, 0x1F, 0x0FFF, 0x0040, false, false, { 3000, 3000,  6000,  6000, 3000,     0},
      kRa4Ra5, E::SelfTimedBulk,        false, true,  false, 1, &kConfigSpaceF683, 0x2008, 4, 0x0A, false, 0x08, "ChipGroupF690"},
    {"PIC16F873A", "PIC16F873A1", "PIC16F873A  ", F::FieldTable,  L::Fields,  P::Fields,    R::F876A,
      4096, 128, 0x0E40, 0x1F, 0x2FCF, 0x2000, false, false, {10000, 1000, 10000, 10000, 10000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF873A, 0,      8, 0x17, false, 0x08, "ChipGroupF87xA"},
    {"PIC16F874A", "PIC16F874A1", "PIC16F874A  ", F::FieldTable,  L::Fields,  P::Fields,    R::F877A,
      4096, 128, 0x0E60, 0x1F, 0x2FCF, 0x2000, false, false, {10000, 1000, 10000, 10000, 10000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF873A, 0,      8, 0x17, false, 0x08, "ChipGroupF87xA"},
    {"PIC16F876A", "PIC16F876A1", "PIC16F876A  ", F::FieldTable,  L::Fields,  P::Fields,    R::F876A,
      8192, 256, 0x0E00, 0x1F, 0x2FCF, 0x2000, false, false, {10000, 1000, 10000, 10000, 10000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF876A, 0,      8, 0x17, false, 0x08, "ChipGroupF87xA"},
    {"PIC16F877A", "PIC16F877A1", "PIC16F877A  ", F::FieldTable,  L::Fields,  P::Fields,    R::F877A,
      8192, 256, 0x0E20, 0x1F, 0x2FCF, 0x2000, false, false, {10000, 1000, 10000, 10000, 10000, 10000},
      kRa6Ra7, E::ChipErase,            false, true,  true,  1, &kConfigSpaceF876A, 0,      8, 0x17, false, 0x08, "ChipGroupF87xA"},
    {"PIC16F882",  "PIC16F8821",  "PIC16F882   ", F::FieldTable,  L::Fields,  P::Fields,    R::F886,
      2048, 128, 0x2000, 0x1F, 0x3FFF, 0x0040, false, false, { 3000, 2500,  6000,  6000, 3000,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  false, 2, &kConfigSpaceF882, 0x2009, 4, 0x0A, false, 0x08, "ChipGroupF88x", true},
    {"PIC16F883",  "PIC16F8831",  "PIC16F883   ", F::FieldTable,  L::Fields,  P::Fields,    R::F886,
      4096, 256, 0x2020, 0x1F, 0x3FFF, 0x0040, false, false, { 3000, 2500,  6000,  6000, 3000,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  false, 2, &kConfigSpaceF883, 0x2009, 4, 0x0A, false, 0x08, "ChipGroupF88x", true},
    {"PIC16F884",  "PIC16F8841",  "PIC16F884   ", F::FieldTable,  L::Fields,  P::Fields,    R::F887,
      4096, 256, 0x2040, 0x1F, 0x3FFF, 0x0040, false, false, { 3000, 2500,  6000,  6000, 3000,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  false, 2, &kConfigSpaceF883, 0x2009, 4, 0x0A, false, 0x08, "ChipGroupF88x", true},
    {"PIC16F886",  "PIC16F8861",  "PIC16F886   ", F::FieldTable,  L::Fields,  P::Fields,    R::F886,
      8192, 256, 0x2060, 0x1F, 0x3FFF, 0x0040, false, false, { 3000, 2500,  6000,  6000, 3000,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  false, 2, &kConfigSpaceF886, 0x2009, 8, 0x0A, false, 0x08, "ChipGroupF88x", true},
    {"PIC16F887",  "PIC16F8871",  "PIC16F887   ", F::FieldTable,  L::Fields,  P::Fields,    R::F887,
      8192, 256, 0x2080, 0x1F, 0x3FFF, 0x0040, false, false, { 3000, 2500,  6000,  6000, 3000,     0},
      kRa6Ra7, E::SelfTimedBulk,        false, true,  false, 2, &kConfigSpaceF886, 0x2009, 8, 0x0A, false, 0x08, "ChipGroupF88x", true},
};
// clang-format on

}  // namespace

const std::vector<CatalogueEntry>& catalogue() {
  return kCatalogue;
}

const CatalogueEntry& defaultChip() {
  return kCatalogue.front();
}

const CatalogueEntry* findChip(std::string_view name) {
  for (const CatalogueEntry& entry : kCatalogue)
    if (name == entry.name) return &entry;
  return nullptr;
}

const CatalogueEntry* findChipByMenuComponent(std::string_view component) {
  for (const CatalogueEntry& entry : kCatalogue)
    if (component == entry.menuComponent) return &entry;
  return nullptr;
}

namespace {
std::size_t rowOf(const CatalogueEntry& chip) {
  return static_cast<std::size_t>(&chip - kCatalogue.data());
}
}  // namespace

MenuItem& chipMenuItem(WindowState& window, const CatalogueEntry& chip) {
  return window.chipMenu.chip(rowOf(chip));
}

const MenuItem& chipMenuItem(const WindowState& window, const CatalogueEntry& chip) {
  static const MenuItem kNone{""};
  const std::vector<MenuItem>& items = window.chipMenu.chips;
  return rowOf(chip) < items.size() ? items[rowOf(chip)] : kNone;
}

const CatalogueEntry* findChipByDeviceId(std::uint16_t id) {
  for (const CatalogueEntry& entry : kCatalogue)
    if (entry.deviceId != 0 && (id & ~entry.revisionMask & 0x3FFF) == entry.deviceId) return &entry;
  return nullptr;
}

DeviceProfile profileOf(const CatalogueEntry& entry) {
  DeviceProfile profile;
  profile.name = entry.name;
  profile.family = entry.family;
  profile.layout = entry.layout;
  profile.programWords = entry.programWords;
  profile.dataBytes = entry.dataBytes;
  profile.panel = entry.panel;
  profile.registers = entry.registers;
  profile.erOscillatorLabels = entry.erOscillatorLabels;
  profile.calibrationPreserved = entry.calibrationPreserved;
  profile.oscillatorPins = entry.oscillatorPins;
  profile.erase = entry.erase;
  profile.dataWrittenAfterErase = entry.dataWrittenAfterErase;
  profile.programOnlyCommand = entry.programOnlyCommand;
  profile.vddBeforeVpp = entry.vddBeforeVpp;
  profile.deviceId = entry.deviceId;
  profile.revisionMask = entry.revisionMask;
  profile.implementedConfigBits = entry.implementedConfigBits;
  profile.codeProtectBits = entry.codeProtectBits;
  profile.cycles = entry.cycles;
  profile.configWords = entry.configWords;
  profile.configSpace = entry.configSpace;
  profile.calibrationWordAt = entry.calibrationWordAt;
  profile.rowWords = entry.rowWords;
  profile.endCommand = entry.endCommand;
  profile.beginProgrammingEnded = entry.beginProgrammingEnded;
  profile.wordCycleCommand = entry.wordCycleCommand;
  profile.vppAtMost12V = entry.vppAtMost12V;
  profile.configBase = entry.configBase;
  profile.lowVoltageEntry = entry.lowVoltageEntry;
  return profile;
}

}  // namespace kalmar
