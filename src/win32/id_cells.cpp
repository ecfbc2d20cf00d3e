#include "win32/id_cells.h"

#include "memory/config_word.h"

namespace kalmar::win32 {

IdCells::IdCells(HWND area, WindowLink& link) : controls_(link.controls()) {
  GroupBox8 = controls_.makePanel("GroupBox8", "Идентификатор", true, area, {});
  Edit8 = std::make_unique<SourceBox>(controls_, "Edit8", GroupBox8);
  Edit8->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit8); }); };
  for (int i = 0; i < 4; ++i) {
    const int n = 301 + i;
    auto cell = std::make_unique<CellEdit>(controls_, "MaskEdit" + std::to_string(n), 4, true,
                                           GroupBox8, desktop::idCellRect(i));
    CellEdit* c = cell.get();
    cell->onEdited = [&link, n](const std::string& text) {
      link.input([n, text](TForm1& f) { setIdCellText(f, n, text); });
    };
    cell->onKeyUp = [&link, n](CellKey key, int caret) {
      link.input([n, key, caret](TForm1& f) { MaskEdit301KeyUp(f, n, key, caret); });
    };
    cell->onPress = [&link, n, c] {
      link.input([n, c](TForm1& f) {
        takeFocus(f, *c);
        MaskEdit301Click(f, n);
      });
    };
    cell->onTab = [&link, n](bool forward) {
      bool moved = false;
      link.input([n, forward, &moved](TForm1& f) { moved = moveToNeighbourIdCell(f, n, forward); });
      return moved;
    };
    cell->onRelease = [&link, n, c] {
      link.input([n, c](TForm1& f) {
        takeFocus(f, *c);
        noteSelection(f, *c);
        MaskEdit301MouseUp(f, n);
        applySelection(f, *c);
      });
    };
    cells[static_cast<std::size_t>(i)] = std::move(cell);
  }
}

void IdCells::place(const desktop::Geometry& geometry) {
  controls_.place(GroupBox8, geometry.GroupBox8);
}

void IdCells::show(const WindowState& window) {
  Edit8->show(window.Edit8, 0);
  const bool recolour = cellColour_ != window.colours.shown[0];
  cellColour_ = window.colours.shown[0];
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i]->show(window.idCells[i]);
    if (recolour) InvalidateRect(cells[i]->hwnd(), nullptr, TRUE);
  }
  setGroupEnabled(GroupBox8, window.GroupBox8Enabled,
                  {Edit8->hwnd(), cells[0]->hwnd(), cells[1]->hwnd(), cells[2]->hwnd(),
                   cells[3]->hwnd()});
}

HBRUSH IdCells::colourOf(HWND control, HDC dc, const WindowState& window) {
  bool own = control == Edit8->hwnd();
  for (const auto& cell : cells) own = own || control == cell->hwnd();
  if (!own) return nullptr;
  return brushes_.paint(dc, window.colours.shown[0]);
}

}  // namespace kalmar::win32
