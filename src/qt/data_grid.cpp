#include "qt/data_grid.h"

#include "desktop/accessible_names.h"
#include "desktop/editor_buttons.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/data_editor.h"
#include "model/hex_text.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

void noteSelection(TForm1& form, const CellEdit& cell) {
  form.window.SelStart = cell.caret();
  form.window.SelLength = static_cast<int>(cell.selectedText().size());
}

void takeFocus(TForm1& form, const CellEdit& cell) {
  form.window.ActiveControl = cell.objectName().toStdString();
}

void applySelection(const TForm1& form, QLineEdit& cell) {
  if (form.window.SelLength > 0)
    cell.setSelection(form.window.SelStart, form.window.SelLength);
  else
    cell.setCursorPosition(form.window.SelStart);
}

DataGrid::DataGrid(QWidget* parent, WindowLink& link) {
  GroupBox4 = new QGroupBox(QStringLiteral("Память данных"), parent);
  GroupBox4->setObjectName("GroupBox4");
  GroupBox4->setFocusPolicy(Qt::ClickFocus);
  Edit5 = new SourceBox("Edit5", GroupBox4);
  Edit5->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit5); }); };

  Memo23 = new TextColumn("Memo23", GroupBox4);
  Memo23->setFixedWidth(desktop::kDataLabelWidth);
  std::string labels;
  for (int row = 0; row < kMaxDataBytes / 8; ++row) labels += hex2(row * 8) + "\r\n";
  Memo23->setText(labels);
  Memo23->move(6, kViewTop);
  for (int n = 1; n <= kMaxDataBytes; ++n) {
    auto* cell = new CellEdit(QStringLiteral("MaskEdit%1").arg(n), 2, GroupBox4);
    cell->setGeometry(rectOf(desktop::dataCellRect(n)));
    cell->setReadOnly(true);
    cell->setAccessibleName(qs(desktop::accessibleName(cell->objectName().toStdString())));
    connectCell(cell, n, link);
    cells[static_cast<std::size_t>(n - 1)] = cell;
  }

  GroupBox3 = new QGroupBox(QStringLiteral("Редактирование"), parent);
  GroupBox3->setObjectName("GroupBox3");
  GroupBox3->setAutoFillBackground(true);
  GroupBox3->hide();
  int left = 5;
  for (const desktop::EditorButton& b : desktop::editorButtons()) {
    QToolButton* button = pictureButton(b.name, b.hint, GroupBox3, left, 13);
    button->setText(QString::fromUtf8(b.hint));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);  // the group is narrow: words only
    button->setAutoRaise(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 10);
    left += button->width() + 2;
    auto handler = b.handler;
    QObject::connect(button, &QToolButton::clicked, button,
                     [&link, handler] { link.input(handler); });
  }
}

void DataGrid::connectCell(CellEdit* cell, int n, WindowLink& link) {
  cell->onEdited = [&link, n](const std::string& text) {
    link.input([n, text](TForm1& f) { setDataCellText(f, n, text); });
  };
  cell->onKeyUp = [&link, n](CellKey key, int caret) {
    link.input([n, key, caret](TForm1& f) { MaskEdit10KeyUp(f, n, key, caret); });
  };
  cell->onPress = [&link, n, cell] {
    link.input([n, cell](TForm1& f) {
      takeFocus(f, *cell);
      MaskEdit10Click(f, n);
    });
  };
  cell->onRelease = [&link, n, cell] {
    link.input([n, cell](TForm1& f) {
      takeFocus(f, *cell);
      noteSelection(f, *cell);
      MaskEdit1MouseUp(f, n);
      applySelection(f, *cell);
    });
  };
  cell->onTab = [&link, n](bool forward) {
    bool moved = false;
    link.input([n, forward, &moved](TForm1& f) { moved = moveToNeighbourCell(f, n, forward); });
    return moved;
  };
  cell->onFocusIn = [&link, n, cell] {
    link.input([n, cell](TForm1& f) {
      if (f.fillLock) return;
      takeFocus(f, *cell);
      noteSelection(f, *cell);
      MaskEdit10Enter(f, n);
      applySelection(f, *cell);
    });
  };
}

void DataGrid::place(const Geometry& geometry) {
  GroupBox4->setGeometry(rectOf(geometry.GroupBox4));
  GroupBox3->setGeometry(rectOf(geometry.GroupBox3));
}

void DataGrid::show(const TForm1& form) {
  const WindowState& w = form.window;
  Edit5->show(w.Edit5, kSpeedRowTop + 3);  // beside the speed buttons: the caption is long
  paintText(Edit5, colourOf(w.colours.shown[0]));
  Memo23->setRowsShown(w.dataRowsShown);
  Memo23->setTextColour(colourOf(w.colours.shown[2]));
  for (std::size_t i = 0; i < cells.size(); ++i) cells[i]->show(w.dataCells[i]);
  const CellLook look{w.dataRowsShown, w.dataCellsWritable ? form.chip.profile.dataBytes : 0,
                      w.colours.shown[0]};
  if (look != look_) {
    look_ = look;
    for (int n = 1; n <= kMaxDataBytes; ++n) {
      CellEdit* cell = cells[static_cast<std::size_t>(n - 1)];
      setOwnVisible(cell, n <= look.rows * 8);
      cell->setReadOnly(n > look.writableCells);
      paintText(cell, colourOf(look.colour));
    }
  }
  if (w.GroupBox3Visible) GroupBox3->raise();
  setOwnVisible(GroupBox3, w.GroupBox3Visible);
  QPalette editor = GroupBox3->palette();
  if (editor.color(QPalette::WindowText) != colourOf(w.colours.shown[0])) {
    editor.setColor(QPalette::WindowText, colourOf(w.colours.shown[0]));
    GroupBox3->setPalette(editor);
  }
}

}  // namespace kalmar::qt
