#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "window/device_profile.h"
#include "window/window_state.h"

namespace kalmar {

// One supported chip as the "Микроконтроллер" menu lists it.
struct CatalogueEntry {
  const char* name;
  Family family;
  int programWords;
  int dataBytes;
  ConfigPanel panel;
  bool erOscillatorLabels;
  bool calibrationPreserved;
  const char* captionLabel;  // the chip part of the window caption, blanks included
  MenuItem ChipMenuState::*menuItem;
};

const std::array<CatalogueEntry, 9>& catalogue();
const CatalogueEntry* findChip(std::string_view name);
DeviceProfile profileOf(const CatalogueEntry& entry);

}  // namespace kalmar
