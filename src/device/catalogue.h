#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/device_profile.h"
#include "model/window_state.h"

namespace kalmar {

// One supported chip, everything the program knows of it: adding a chip of
// a known family is one row here (and one in the simulator's table).
struct CatalogueEntry {
  const char* name;
  const char* menuComponent;  // its "Микроконтроллер" item
  const char* captionLabel;   // the chip part of the window caption, blanks included
  Family family;
  ConfigLayout layout;
  ConfigPanel panel;
  RegisterSet registers;
  int programWords;
  int dataBytes;
  std::uint16_t deviceId;      // the word at 2006h without the revision; 0 where the chip has none
  std::uint16_t revisionMask;  // the revision's bits of that word
  std::uint16_t implementedConfigBits;
  std::uint16_t codeProtectBits;
  bool erOscillatorLabels;
  bool calibrationPreserved;
  CycleTimes cycles;
  // What the chip can do and wants where chips differ (DeviceProfile says
  // what each means).
  OscillatorPins oscillatorPins;
  EraseSequence erase;
  bool dataWrittenAfterErase;
  bool programOnlyCommand;
  bool vddBeforeVpp;
  // Columns the chips added later fill in (DeviceProfile says what each
  // means); the first rows keep these.
  int configWords = 1;
  const ConfigSpace* configSpace = nullptr;
  std::uint16_t calibrationWordAt = 0;
  int rowWords = 1;
  std::uint8_t endCommand = 0;
  bool beginProgrammingEnded = false;
  std::uint8_t wordCycleCommand = 0x08;
  // The "Микроконтроллер" submenu its item stands in (its component name,
  // device/chip_selection.cpp); null for an item of the menu itself.
  const char* menuGroup = nullptr;
  bool vppAtMost12V = false;
  std::uint16_t configBase = 0x2000;
  bool lowVoltageEntry = false;
};

const std::vector<CatalogueEntry>& catalogue();
// The chip a new window, a new settings file and a new simulated chip start with.
const CatalogueEntry& defaultChip();
const CatalogueEntry* findChip(std::string_view name);
const CatalogueEntry* findChipByMenuComponent(std::string_view component);
// The chip's item of the "Микроконтроллер" menu.
MenuItem& chipMenuItem(WindowState& window, const CatalogueEntry& chip);
// The same to look at; an empty item before start-up made the menu.
const MenuItem& chipMenuItem(const WindowState& window, const CatalogueEntry& chip);
// The chip a device ID word belongs to, revision bits ignored; null when no
// supported chip has it (0000h or 3FFFh: nothing answered, or a chip without an ID).
const CatalogueEntry* findChipByDeviceId(std::uint16_t id);
DeviceProfile profileOf(const CatalogueEntry& entry);

}  // namespace kalmar
