#include "qt/program_view.h"

#include <QHBoxLayout>
#include <QScrollBar>

#include "desktop/accessible_names.h"
#include "memory/config_word.h"
#include "model/hex_text.h"
#include "qt/accessible_views.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

QScrollArea* columnScrollArea(const char* name, QWidget* parent) {
  auto* area = new QScrollArea(parent);
  area->setObjectName(name);
  area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  area->setWidgetResizable(false);
  area->verticalScrollBar()->setSingleStep(TextColumn::lineHeight());
  area->setWidget(new ColumnRow(qs(desktop::accessibleName(name)), area));
  return area;
}

ProgramView::ProgramView(QWidget* parent, WindowLink& link) {
  GroupBox2 = new QGroupBox(QStringLiteral(" Память программ "), parent);
  GroupBox2->setObjectName("GroupBox2");
  GroupBox2->setFocusPolicy(Qt::ClickFocus);
  Edit4 = new SourceBox("Edit4", GroupBox2);
  Edit4->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit4); }); };

  ScrollBox1 = columnScrollArea("ScrollBox1", GroupBox2);
  QWidget* content = ScrollBox1->widget();
  auto* row = static_cast<QHBoxLayout*>(content->layout());
  Memo1 = new TextColumn("Memo1", content);
  Memo1->setFixedWidth(44);
  std::string addresses;
  for (int line = 0; line < kProgramRows; ++line) addresses += hex4(line * 8) + ":\r\n";
  Memo1->setText(addresses);
  row->addWidget(Memo1);
  for (int c = 0; c < 8; ++c) {
    const std::string name = "Memo" + std::to_string(4 + c);
    columns[static_cast<std::size_t>(c)] = new TextColumn(name.c_str(), content);
    columns[static_cast<std::size_t>(c)]->setFixedWidth(41);
    row->addWidget(columns[static_cast<std::size_t>(c)]);
  }
  auto click = [&link] { link.input(Memo1Click); };
  Memo1->onClick = click;
  for (TextColumn* column : columns) column->onClick = click;
}

void ProgramView::place(const Geometry& geometry) {
  GroupBox2->setGeometry(rectOf(geometry.GroupBox2));
  ScrollBox1->setGeometry(rectOf(desktop::programColumnsRect(geometry)));
}

void ProgramView::show(const WindowState& window) {
  Edit4->show(window.Edit4, 0);
  paintText(Edit4, colourOf(window.colours.shown[0]));
  const QColor text = colourOf(window.colours.shown[0]);
  const QColor addresses = colourOf(window.colours.shown[2]);
  Memo1->setTextColour(addresses);
  Memo1->setRowsShown(window.programRowsShown);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    columns[c]->setText(window.programColumns[c]);
    columns[c]->setTextColour(text);
    columns[c]->setRowsShown(window.programRowsShown);
  }
  setOwnEnabled(GroupBox2, window.GroupBox2Enabled);
}

}  // namespace kalmar::qt
