#pragma once

#include <QGroupBox>
#include <QScrollArea>
#include <QToolButton>

#include "qt/layout.h"
#include "qt/source_box.h"
#include "qt/text_column.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// " Память программ   //  Ассемблер": laid exactly over the program memory
// group. Address (Memo13), label (Memo15) and instruction (Memo14) columns
// scroll together; the caption line Edit6 and the footnote Memo2, which a
// click expands or collapses.
class ListingView {
 public:
  ListingView(QWidget* parent, WindowLink& link);
  QGroupBox* group() const { return GroupBox9; }
  void place(const Geometry& geometry);
  void show(const TForm1& form);

 private:
  QGroupBox* GroupBox9;
  SourceBox* Edit6;
  QScrollArea* ScrollBox2;
  TextColumn* Memo13;
  TextColumn* Memo15;
  TextColumn* Memo14;
  TextColumn* Memo2;
  int footnoteBottom_ = 0;
  const Geometry* geometry_ = &geometryFor(8);
  bool narrowed_ = false;
};

}  // namespace kalmar::qt
