#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <unordered_set>

#include "desktop/layout.h"
#include "win32/area_look.h"
#include "win32/cell_edit.h"
#include "win32/column_view.h"
#include "win32/source_box.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

// "Память данных": the row labels Memo23 and the byte cells
// MaskEdit1..MaskEdit256 (8, 16 or 32 rows of 8), the source box Edit5, and
// the editor group GroupBox3 "Редактирование" with "Отменить", "Сохранить"
// and "Очистить все", shown over the group's head while an edit is open.
class DataGrid {
 public:
  DataGrid(HWND area, WindowLink& link);
  HWND group() const { return GroupBox4; }
  void place(const desktop::Geometry& geometry);
  void show(const TForm1& form);
  // The colours of Edit5 and the cells; null for a control not of this area.
  HBRUSH colourOf(HWND control, HDC dc, const WindowState& window);

 private:
  void connectCell(CellEdit& cell, int n, WindowLink& link);
  void makeEditorButtons(WindowLink& link);

  Controls& controls_;
  HWND GroupBox4;
  HWND GroupBox3;
  std::unique_ptr<SourceBox> Edit5;
  std::unique_ptr<ColumnView> Memo23;
  std::array<std::unique_ptr<CellEdit>, kMaxDataBytes> cells;
  std::unordered_set<HWND> cellWindows_;
  FieldBrushes brushes_;
  // How the cells look as a whole: rows shown, how many are writable, colour.
  struct CellLook {
    int rows = -1;
    int writableCells = -1;
    std::uint32_t colour = 0;
    bool operator==(const CellLook&) const = default;
  };
  CellLook look_;
};

}  // namespace kalmar::win32
