#pragma once

#include <QGroupBox>
#include <array>

#include "qt/cell_edit.h"
#include "qt/layout.h"
#include "qt/menus.h"
#include "qt/source_box.h"
#include "qt/text_column.h"

namespace kalmar::qt {

// "Память данных": the row labels Memo23 and the byte cells MaskEdit1..128
// (8 or 16 rows of 8), the source box Edit5, the speed buttons, and the
// editor group GroupBox3 "Редактирование" with "Отменить", "Сохранить" and
// "Очистить все", shown over the group's head while an edit is open.
class DataGrid {
 public:
  DataGrid(QWidget* parent, WindowLink& link);
  QGroupBox* group() const { return GroupBox4; }
  void place(const Geometry& geometry);
  void show(const TForm1& form);

 private:
  void connectCell(CellEdit* cell, int n, WindowLink& link);

  QGroupBox* GroupBox4;
  QGroupBox* GroupBox3;
  SourceBox* Edit5;
  TextColumn* Memo23;
  std::array<CellEdit*, kMaxDataBytes> cells;
  // How the cells look as a whole: rows shown, how many are writable, colour.
  struct CellLook {
    int rows = -1;
    int writableCells = -1;
    std::uint32_t colour = 0;
    bool operator==(const CellLook&) const = default;
  };
  CellLook look_;
};

// What the focused cell's selection is, for the handlers that read it.
void noteSelection(TForm1& form, const CellEdit& cell);
// The window learns that a cell the user clicked or entered has the focus
// before its handlers run (Qt tells focus changes only after the cell's
// own focus event).
void takeFocus(TForm1& form, const CellEdit& cell);
// Gives a cell the selection the handlers left.
void applySelection(const TForm1& form, QLineEdit& cell);

}  // namespace kalmar::qt
