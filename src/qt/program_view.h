#pragma once

#include <QGroupBox>
#include <QScrollArea>
#include <array>

#include "qt/layout.h"
#include "qt/source_box.h"
#include "qt/text_column.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// " Память программ ": the address column Memo1 and the eight word columns
// Memo4..Memo11 scrolling together in ScrollBox1, the source box Edit4.
class ProgramView {
 public:
  ProgramView(QWidget* parent, WindowLink& link);
  QGroupBox* group() const { return GroupBox2; }
  void place(const Geometry& geometry);
  void show(const WindowState& window);

 private:
  QGroupBox* GroupBox2;
  SourceBox* Edit4;
  QScrollArea* ScrollBox1;
  TextColumn* Memo1;
  std::array<TextColumn*, 8> columns;
};

// A scroll area whose content is a row of columns of one height (a
// ColumnRow, read by screen readers line by line under accessibleName).
QScrollArea* columnScrollArea(const char* name, QWidget* parent);

}  // namespace kalmar::qt
