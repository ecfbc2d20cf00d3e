#pragma once

#include <cstdint>
#include <string>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// Builds the buffer's configuration word from the current family's switches.
void Config_Chenge(TForm1& form);
// Sets the switches of the current family from the buffer's word.
void Config_Chenge_iz_W(TForm1& form);

// Shared click handlers: n is the number in the control's name. The click
// handlers run as the window would after the user's click has changed the
// switch; userClick* change it first, as a click does.
void RadioButton1Click(TForm1& form, int n);
void CheckBox1Click(TForm1& form, int n);
void userClickRadioButton(TForm1& form, int n);
void userClickCheckBox(TForm1& form, int n);

// The BG chooser: pick an item (0 "не менять", 1 "00" .. 4 "11"), open the list.
void ListBox1Click(TForm1& form, int index);
void SpeedButton14Click(TForm1& form);
// The field panel of a chip whose words are drawn from its field table:
// its fields and labels from the chip's catalogue row, the buffer's words
// blank (as an erased chip has them), no calibration word known. Hidden on
// the other chips.
void setUpFieldPanel(TForm1& form);
// A setting chosen in field `field` (its index in the chip's field table):
// the buffer's word takes it, every other bit kept.
void ConfigFieldChange(TForm1& form, int field, int choice);
// The text of a word's box as typed (word 0: 2007h, 1: 2008h): four hex
// digits within 3FFFh make the buffer's word; less waits for more.
void ConfigWordChange(TForm1& form, int word, const std::string& text);
// The box left: it shows the buffer's word again, whatever was typed.
void ConfigWordEditDone(TForm1& form);
// A mouse release on a source indicator: no text stays selected.
void Edit3MouseUp(SourceIndicator& box);

Outcome Proc_Read_Config(TForm1& form);
Outcome Proc_Write_Config(TForm1& form);
Outcome Button10Click(TForm1& form);  // "Прочитать Конфиг"
Outcome Button12Click(TForm1& form);  // "Записать Слово Конфиг."

// The warning before a configuration word that protects code is written;
// refused when the user declined (the status line then says so).
Outcome confirmCodeProtection(TForm1& form);

// A configuration word that did not read back as written: the box's caption and text.
inline constexpr const char* kConfigWriteCaption =
    "Ошибка при записи слова конфигурации микроконтроллера.";
std::string configMismatchText(std::uint16_t wanted, std::uint16_t found);

}  // namespace kalmar
