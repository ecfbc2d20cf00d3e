#pragma once

#include <string_view>
#include <vector>

#include "device/catalogue.h"
#include "model/form1.h"

namespace kalmar {

// "Настройка" -> "Микроконтроллер": each item, one a catalogue row, selects
// its chip through this.
void selectChip(TForm1& form, const CatalogueEntry& chip);
// The chip's profile into the window's chip session, with the line's VPP
// guard as the row says (every selection goes through it).
void useProfile(TForm1& form, const CatalogueEntry& chip);
// The submenus of "Микроконтроллер" holding the chips added later, one a
// family, after the items of the first chips: the submenu's component name,
// and its caption; the rows name the submenu they stand in (menuGroup).
struct ChipMenuGroup {
  const char* component;
  const char* caption;
};
const std::vector<ChipMenuGroup>& chipMenuGroups();
// The submenu a chip's item stands in; null for an item of the menu itself.
const ChipMenuGroup* chipMenuGroupOf(const CatalogueEntry& chip);

// Selects by catalogue name as the menu would; false for an unknown name.
bool selectChipByName(TForm1& form, const std::string& name);

// "Настройка" -> "Порт".
void LPT11Click(TForm1& form);
void LPT2278h1Click(TForm1& form);

// Every chip item's caption back to the bare name.
void SetMenuPic(TForm1& form);
// Panel, sizes and layout of the two panel families, then the buffer reset.
void Chenge_Form_84(TForm1& form);
void Chenge_Form_62(TForm1& form);
void Chenge_Form_Fields(TForm1& form);
void Chenge_Form_Edit(TForm1& form);

// Makes the profile that of the named chip and marks its menu item, as
// start-up does from the settings file (no oscillator carry-over, no word
// rebuild).
void applyChipFromSettings(TForm1& form, const CatalogueEntry& chip);
void applyPort(TForm1& form, bool lpt1);

}  // namespace kalmar
