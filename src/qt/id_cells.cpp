#include "qt/id_cells.h"

#include "desktop/accessible_names.h"
#include "memory/config_word.h"
#include "qt/data_grid.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

IdCells::IdCells(QWidget* parent, WindowLink& link) {
  GroupBox8 = new QGroupBox(QStringLiteral("Идентификатор"), parent);
  GroupBox8->setObjectName("GroupBox8");
  Edit8 = new SourceBox("Edit8", GroupBox8);
  Edit8->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit8); }); };
  for (int i = 0; i < 4; ++i) {
    const int n = 301 + i;
    auto* cell = new CellEdit(QStringLiteral("MaskEdit%1").arg(n), 4, GroupBox8);
    cell->setFrame(true);
    cell->setGeometry(rectOf(desktop::idCellRect(i)));
    cell->setAccessibleName(qs(desktop::accessibleName(cell->objectName().toStdString())));
    cell->onEdited = [&link, n](const std::string& text) {
      link.input([n, text](TForm1& f) { setIdCellText(f, n, text); });
    };
    cell->onKeyUp = [&link, n](CellKey key, int caret) {
      link.input([n, key, caret](TForm1& f) { MaskEdit301KeyUp(f, n, key, caret); });
    };
    cell->onPress = [&link, n, cell] {
      link.input([n, cell](TForm1& f) {
        takeFocus(f, *cell);
        MaskEdit301Click(f, n);
      });
    };
    cell->onTab = [&link, n](bool forward) {
      bool moved = false;
      link.input([n, forward, &moved](TForm1& f) { moved = moveToNeighbourIdCell(f, n, forward); });
      return moved;
    };
    cell->onRelease = [&link, n, cell] {
      link.input([n, cell](TForm1& f) {
        takeFocus(f, *cell);
        noteSelection(f, *cell);
        MaskEdit301MouseUp(f, n);
        applySelection(f, *cell);
      });
    };
    cells[static_cast<std::size_t>(i)] = cell;
  }
}

void IdCells::place(const Geometry& geometry) {
  GroupBox8->setGeometry(rectOf(geometry.GroupBox8));
}

void IdCells::show(const WindowState& window) {
  Edit8->show(window.Edit8, 0);
  paintText(Edit8, colourOf(window.colours.shown[0]));
  for (std::size_t i = 0; i < cells.size(); ++i) {
    cells[i]->show(window.idCells[i]);
    paintText(cells[i], colourOf(window.colours.shown[0]));
  }
  setOwnEnabled(GroupBox8, window.GroupBox8Enabled);
}

}  // namespace kalmar::qt
