#pragma once

#include <windows.h>

#include <memory>

#include "desktop/layout.h"
#include "win32/area_look.h"
#include "win32/column_view.h"
#include "win32/source_box.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

// " Память программ ": the address column Memo1 and the eight word columns
// Memo4..Memo11 scrolling together in ScrollBox1, the source box Edit4.
class ProgramView {
 public:
  ProgramView(HWND area, WindowLink& link);
  HWND group() const { return GroupBox2; }
  void place(const desktop::Geometry& geometry);
  void show(const WindowState& window);
  // The colours of Edit4; null for a control not of this area.
  HBRUSH colourOf(HWND control, HDC dc, const WindowState& window);

 private:
  Controls& controls_;
  HWND GroupBox2;
  std::unique_ptr<SourceBox> Edit4;
  // Column 0 is Memo1, columns 1..8 are Memo4..Memo11.
  std::unique_ptr<ColumnView> ScrollBox1;
  FieldBrushes brushes_;
};

}  // namespace kalmar::win32
