#pragma once

#include "device/colours.h"
#include "model/form1.h"

namespace kalmar {

// "Окно - цветовая гамма": takes the colours from the window, shows the
// listing view narrowed beside the dialog as a preview, prepares the dialog
// and asks the front end to show it modally.
void N40Click(TForm1& form);
// Sets the preview fields, makes the triple the current colours, paints.
void F_Clr_CB1(TForm1& form, const ColourTriple& colours);

// The handlers of TForm2 (its SpeedButton14 is not the main window's).
namespace form2 {
void FormShow(TForm1& form);
void ComboBox1Change(TForm1& form, int index);
// "Цвет 1", "Цвет 2", "Цвет 3": role 0, 1, 2 (SpeedButton14..16).
void colourButtonClick(TForm1& form, int role);
void PageControl1Change(TForm1& form, int page);
void SpeedButton17Click(TForm1& form);  // "Сохранить"
void SpeedButton18Click(TForm1& form);  // "Отмена"
void FormClose(TForm1& form);
}  // namespace form2

}  // namespace kalmar
