#pragma once

#include "memory/id_locations.h"
#include "model/form1.h"

namespace kalmar {

void Button4Click(TForm1& form);       // "Редакт. DM": start editing
void SpeedButton1Click(TForm1& form);  // "Сохранить"
void SpeedButton2Click(TForm1& form);  // "Отменить"
void SpeedButton3Click(TForm1& form);  // "Очистить все"
void MaskEdit_No_Edit(TForm1& form);

// Cell handlers of MaskEdit1..MaskEdit128 (n = 1..128); the caret and the
// selection come from the view.
void MaskEdit10Enter(TForm1& form, int n);
void MaskEdit10Click(TForm1& form, int n);
void MaskEdit10KeyUp(TForm1& form, int n, CellKey key, int caret);
void MaskEdit1MouseUp(TForm1& form, int n);
// Tab and Shift+Tab: the next or the previous cell in use, as the arrow
// keys go; false at either end.
bool moveToNeighbourCell(TForm1& form, int n, bool forward);

}  // namespace kalmar
