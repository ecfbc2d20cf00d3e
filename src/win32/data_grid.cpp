#include "win32/data_grid.h"

#include "desktop/editor_buttons.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/data_editor.h"
#include "model/hex_text.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

DataGrid::DataGrid(HWND area, WindowLink& link) : controls_(link.controls()) {
  GroupBox4 = controls_.makePanel("GroupBox4", "Память данных", true, area, {});
  Edit5 = std::make_unique<SourceBox>(controls_, "Edit5", GroupBox4);
  Edit5->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit5); }); };

  Memo23 = std::make_unique<ColumnView>(
      controls_, "Memo23", GroupBox4,
      desktop::Rect{6, desktop::kViewTop, desktop::kDataLabelWidth, desktop::kLineHeight}, false,
      GroupBox4);
  std::string labels;
  for (int row = 0; row < kMaxDataBytes / 8; ++row) labels += hex2(row * 8) + "\r\n";
  Memo23->setText(Memo23->addColumn(desktop::kDataLabelWidth), labels);
  for (int n = 1; n <= kMaxDataBytes; ++n) {
    auto cell = std::make_unique<CellEdit>(controls_, "MaskEdit" + std::to_string(n), 2, false,
                                           GroupBox4, desktop::dataCellRect(n));
    cell->setReadOnly(true);
    connectCell(*cell, n, link);
    cellWindows_.insert(cell->hwnd());
    cells[static_cast<std::size_t>(n - 1)] = std::move(cell);
  }

  GroupBox3 = controls_.makePanel("GroupBox3", "Редактирование", true, area, {});
  setVisible(GroupBox3, false);
  makeEditorButtons(link);
}

void DataGrid::makeEditorButtons(WindowLink& link) {
  int left = 5;
  HDC dc = GetDC(GroupBox3);
  HGDIOBJ old = dc ? SelectObject(dc, controls_.font()) : nullptr;
  for (const desktop::EditorButton& b : desktop::editorButtons()) {
    // The group is narrow: words only, each button as wide as its word.
    const std::wstring text = wide(b.hint);
    SIZE size{};
    if (dc) GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    const int width = controls_.unscale(size.cx) + 10;
    HWND button = controls_.make(L"BUTTON", b.name, b.hint, WS_VISIBLE | BS_PUSHBUTTON, GroupBox3,
                                 {left, 13, width, desktop::kSpeedButtonSize});
    controls_.setHint(button, b.hint);
    keepFocusAway(button);
    left += width + 2;
    auto handler = b.handler;
    controls_.onCommand(button, [&link, handler](WORD code) {
      if (code == BN_CLICKED) link.input(handler);
    });
  }
  if (dc) {
    SelectObject(dc, old);
    ReleaseDC(GroupBox3, dc);
  }
}

void DataGrid::connectCell(CellEdit& cell, int n, WindowLink& link) {
  CellEdit* c = &cell;
  cell.onEdited = [&link, n](const std::string& text) {
    link.input([n, text](TForm1& f) { setDataCellText(f, n, text); });
  };
  cell.onKeyUp = [&link, n](CellKey key, int caret) {
    link.input([n, key, caret](TForm1& f) { MaskEdit10KeyUp(f, n, key, caret); });
  };
  cell.onPress = [&link, n, c] {
    link.input([n, c](TForm1& f) {
      takeFocus(f, *c);
      MaskEdit10Click(f, n);
    });
  };
  cell.onRelease = [&link, n, c] {
    link.input([n, c](TForm1& f) {
      takeFocus(f, *c);
      noteSelection(f, *c);
      MaskEdit1MouseUp(f, n);
      applySelection(f, *c);
    });
  };
  cell.onTab = [&link, n](bool forward) {
    bool moved = false;
    link.input([n, forward, &moved](TForm1& f) { moved = moveToNeighbourCell(f, n, forward); });
    return moved;
  };
  cell.onFocusIn = [&link, n, c] {
    link.input([n, c](TForm1& f) {
      if (f.fillLock) return;
      takeFocus(f, *c);
      noteSelection(f, *c);
      MaskEdit10Enter(f, n);
      applySelection(f, *c);
    });
  };
}

void DataGrid::place(const desktop::Geometry& geometry) {
  controls_.place(GroupBox4, geometry.GroupBox4);
  controls_.place(GroupBox3, geometry.GroupBox3);
}

void DataGrid::show(const TForm1& form) {
  const WindowState& w = form.window;
  Edit5->show(w.Edit5, desktop::kSpeedRowTop + 3);  // beside the speed buttons: the caption is long
  Memo23->setRowsShown(w.dataRowsShown);
  Memo23->setTextColour(0, w.colours.shown[2]);
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i]->show(w.dataCells[i]);
  const CellLook look{w.dataRowsShown, w.dataCellsWritable ? form.chip.profile.dataBytes : 0,
                      w.colours.shown[0]};
  if (look != look_) {
    look_ = look;
    for (int n = 1; n <= kMaxDataBytes; ++n) {
      CellEdit& cell = *cells[static_cast<std::size_t>(n - 1)];
      setVisible(cell.hwnd(), n <= look.rows * 8);
      cell.setReadOnly(n > look.writableCells);
      InvalidateRect(cell.hwnd(), nullptr, TRUE);  // the colour is asked for at the next paint
    }
  }
  if (w.GroupBox3Visible) raise(GroupBox3);
  setVisible(GroupBox3, w.GroupBox3Visible);
  controls_.setCaptionColour(GroupBox3, w.colours.shown[0]);
}

HBRUSH DataGrid::colourOf(HWND control, HDC dc, const WindowState& window) {
  if (control != Edit5->hwnd() && cellWindows_.count(control) == 0) return nullptr;
  return brushes_.paint(dc, window.colours.shown[0]);
}

}  // namespace kalmar::win32
