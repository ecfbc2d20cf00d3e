#include "memory/data_editor.h"

#include "memory/data_cells.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

std::array<MenuItem*, 10> lockedMenus(WindowState& w) {
  return {&w.N1, &w.N2, &w.N5, &w.N8, &w.N9, &w.N30, &w.N25, &w.N22, &w.N23, &w.N35};
}

// Panels and menus an edit locks, and back.
void lockForEditing(TForm1& form, bool editing) {
  WindowState& w = form.window;
  w.GroupBox9Enabled = !editing;
  w.GroupBox5.Enabled = !editing && w.GroupBox5.Visible;
  w.GroupBox7.Enabled = !editing && w.GroupBox7.Visible;
  w.GroupBox2Enabled = !editing;
  w.GroupBox8Enabled = !editing;
  for (MenuItem* item : lockedMenus(w)) item->Enabled = !editing;
}

void focusCell(TForm1& form, int n) {
  form.window.ActiveControl = "MaskEdit" + std::to_string(n);
  form.window.SelStart = 0;
}

bool cellInUse(const TForm1& form, int n) {
  return n >= 1 && n <= form.chip.profile.dataBytes;
}

void endEditing(TForm1& form, const char* status) {
  form.window.StatusBar1 = status;
  lockForEditing(form, false);
  form.window.ActiveControl = "GroupBox2";
}

}  // namespace

void Button4Click(TForm1& form) {
  lockForEditing(form, true);
  form.window.StatusBar1 =
      "Выполняемое действие: редактирование данных в памяти данных микроконтроллера.";
  form.window.StatusBar2.clear();
  form.window.dataCellsWritable = true;
  focusCell(form, 1);
  form.buffer.dataEdit = form.buffer.data;
  form.window.GroupBox3Visible = true;
}

void MaskEdit_No_Edit(TForm1& form) {
  form.window.dataCellsWritable = false;
  for (int n = 1; n <= form.chip.profile.dataBytes; ++n) form.host.pump();
  form.window.GroupBox3Visible = false;
}

void SpeedButton1Click(TForm1& form) {
  form.buffer.data = form.buffer.dataEdit;
  MaskEdit_No_Edit(form);
  form.window.Edit5.say("Буфер", "Отображено состояние буфера", true);
  endEditing(form,
             " Посл. вып. действие: сохранение отредактированных данных (памяти данных) в буфере.");
}

void SpeedButton2Click(TForm1& form) {
  form.fillLock = true;
  for (int n = 1; n <= form.chip.profile.dataBytes; ++n) {
    setDataCellText(form, n, hex2(form.buffer.data[static_cast<std::size_t>(n - 1)]));
    form.host.pump();
  }
  MaskEdit_No_Edit(form);
  form.fillLock = false;
  endEditing(form,
             " Посл. вып. действие: отмена редактирования данных памяти данных микроконтроллера.");
}

void SpeedButton3Click(TForm1& form) {
  form.buffer.dataEdit.fill(kBlankByte);
  ClearME(form);
}

void MaskEdit10Enter(TForm1& form, int) {
  if (form.fillLock) return;
  if (form.window.SelLength > 1) form.window.SelLength = 1;
}

void MaskEdit10Click(TForm1& form, int) {
  form.editorKeyCounter = -1;
}

void MaskEdit10KeyUp(TForm1& form, int n, CellKey key, int caret) {
  if (form.fillLock || form.entryError) {
    form.entryError = false;
    return;
  }
  int& counter = form.editorKeyCounter;
  if (key != CellKey::Left) counter = 0;
  if (caret >= 2 && n < kMaxDataBytes && cellInUse(form, n + 1)) focusCell(form, n + 1);
  if (key == CellKey::Down && n + 8 <= kMaxDataBytes && cellInUse(form, n + 8))
    focusCell(form, n + 8);
  if (key == CellKey::Up && n > 8 && cellInUse(form, n)) focusCell(form, n - 8);
  if (caret == 1) counter = -1;
  if (key == CellKey::Left && n > 1) {
    if (++counter == 2) {
      counter = 0;
      focusCell(form, n - 1);
    }
  }
  form.entryError = false;
}

bool moveToNeighbourCell(TForm1& form, int n, bool forward) {
  const int next = forward ? n + 1 : n - 1;
  if (!cellInUse(form, next)) return false;
  form.editorKeyCounter = 0;
  focusCell(form, next);
  return true;
}

void MaskEdit1MouseUp(TForm1& form, int) {
  if (form.fillLock) return;
  if (form.window.SelLength > 1) form.window.SelLength = 1;
}

}  // namespace kalmar
