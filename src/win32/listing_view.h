#pragma once

#include <windows.h>

#include <memory>

#include "desktop/layout.h"
#include "win32/area_look.h"
#include "win32/column_view.h"
#include "win32/source_box.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

// " Память программ   //  Ассемблер": laid exactly over the program memory
// group. Address (Memo13), label (Memo15) and instruction (Memo14) columns
// scroll together in ScrollBox2; the caption line Edit6 and the footnote
// Memo2, which a click expands (upwards, over the columns) or collapses.
class ListingView {
 public:
  ListingView(HWND area, WindowLink& link);
  HWND group() const { return GroupBox9; }
  void place(const desktop::Geometry& geometry);
  void show(const TForm1& form);
  // The colours of Edit6; null for a control not of this area.
  HBRUSH colourOf(HWND control, HDC dc, const WindowState& window);

 private:
  void placeFootnote(int height, int width);

  Controls& controls_;
  HWND GroupBox9;
  std::unique_ptr<SourceBox> Edit6;
  // Columns 0, 1, 2: Memo13, Memo15, Memo14.
  std::unique_ptr<ColumnView> ScrollBox2;
  std::unique_ptr<ColumnView> Memo2;
  FieldBrushes brushes_;
  const desktop::Geometry* geometry_ = &desktop::geometryFor(8);
  int footnoteBottom_ = 0;
  int footnoteHeight_ = 0;
  int columnsWidth_ = 0;
  bool narrowed_ = false;
};

}  // namespace kalmar::win32
