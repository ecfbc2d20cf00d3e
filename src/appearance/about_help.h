#pragma once

#include "model/form1.h"

namespace kalmar {

// "Помощь" -> "Помощь" and "Схема": Help.htm and Shema.htm of the start-up
// directory, else the installed copies; a box when neither exists.
void N26Click(TForm1& form);
void N27Click(TForm1& form);
// "Помощь" -> "О программе": colours the About box and asks the front end
// to show it modally, centred on the screen.
void N29Click(TForm1& form);

inline constexpr const char* kChipMakerSite = "https://www.microchip.com";

// The handlers of the About box TForm3.
namespace form3 {
void FormShow(TForm1& form);
void Label3Click(TForm1& form);  // "Microchip Technology."
}  // namespace form3

}  // namespace kalmar
