#pragma once

#include <string>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

enum class CellKey { Left, Right, Up, Down, Other };

Outcome Proc_Read_ID(TForm1& form);
Outcome Proc_Write_ID(TForm1& form);
// The write, then a read: the operation is good when the words read are
// the words written.
Outcome writeAndCheckIds(TForm1& form);
Outcome Button13Click(TForm1& form);  // "Прочитать идентиф."
Outcome Button15Click(TForm1& form);  // "Записать идент."

// ID cells MaskEdit301..MaskEdit304 (n = 301..304).
void setIdCellText(TForm1& form, int n, const std::string& text);  // runs the change handler
void MaskEdit301Change(TForm1& form, int n);
void MaskEdit301Click(TForm1& form, int n);
void MaskEdit301KeyUp(TForm1& form, int n, CellKey key, int caret);
void MaskEdit301MouseUp(TForm1& form, int n);
// Tab and Shift+Tab between the four ID cells; false at either end.
bool moveToNeighbourIdCell(TForm1& form, int n, bool forward);

}  // namespace kalmar
