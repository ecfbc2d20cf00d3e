#include "device/catalogue.h"

namespace kalmar {

namespace {

using F = Family;
using P = ConfigPanel;

const std::array<CatalogueEntry, 9> kCatalogue = {{
    {"PIC16F84", F::Family84, 1024, 64, P::GroupBox5, false, false, "PIC16F84   ",
     &ChipMenuState::PIC16F841},
    {"PIC16F84A", F::Family84, 1024, 64, P::GroupBox5, false, false, "PIC16F84A   ",
     &ChipMenuState::PIC16F84A1},
    {"PIC16C84", F::Family84, 1024, 64, P::GroupBox5, false, false, "PIC16C84   ",
     &ChipMenuState::PIC16C841},
    {"PIC16F627", F::Family62x, 1024, 128, P::GroupBox7, true, false, "PIC16F627   ",
     &ChipMenuState::PIC16F6271},
    {"PIC16F627A", F::Family62x, 1024, 128, P::GroupBox7, false, false, "PIC16F627A  ",
     &ChipMenuState::PIC16F627A1},
    {"PIC16F628", F::Family62x, 2048, 128, P::GroupBox7, true, false, "PIC16F628   ",
     &ChipMenuState::PIC16F6281},
    {"PIC16F628A", F::Family62x, 2048, 128, P::GroupBox7, false, false, "PIC16F628A  ",
     &ChipMenuState::PIC16F628A1},
    {"PIC12F629", F::Family12F6xx, 1024, 128, P::GroupBox7, false, true, "PIC12F629   ",
     &ChipMenuState::PIC12F6291},
    {"PIC12F675", F::Family12F6xx, 1024, 128, P::GroupBox7, false, true, "PIC12F675   ",
     &ChipMenuState::PIC12F6751},
}};

}  // namespace

const std::array<CatalogueEntry, 9>& catalogue() {
  return kCatalogue;
}

const CatalogueEntry* findChip(std::string_view name) {
  for (const CatalogueEntry& entry : kCatalogue)
    if (name == entry.name) return &entry;
  return nullptr;
}

DeviceProfile profileOf(const CatalogueEntry& entry) {
  DeviceProfile profile;
  profile.name = entry.name;
  profile.family = entry.family;
  profile.programWords = entry.programWords;
  profile.dataBytes = entry.dataBytes;
  profile.panel = entry.panel;
  profile.erOscillatorLabels = entry.erOscillatorLabels;
  profile.calibrationPreserved = entry.calibrationPreserved;
  return profile;
}

}  // namespace kalmar
