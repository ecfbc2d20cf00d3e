#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "desktop/layout.h"
#include "win32/area_look.h"
#include "win32/cell_edit.h"
#include "win32/source_box.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

// "Идентификатор": the four ID cells MaskEdit301..MaskEdit304 and Edit8.
class IdCells {
 public:
  IdCells(HWND area, WindowLink& link);
  HWND group() const { return GroupBox8; }
  void place(const desktop::Geometry& geometry);
  void show(const WindowState& window);
  // The colours of Edit8 and the cells; null for a control not of this area.
  HBRUSH colourOf(HWND control, HDC dc, const WindowState& window);

 private:
  Controls& controls_;
  HWND GroupBox8;
  std::unique_ptr<SourceBox> Edit8;
  std::array<std::unique_ptr<CellEdit>, 4> cells;
  FieldBrushes brushes_;
  std::uint32_t cellColour_ = 0xFFFFFFFF;
};

}  // namespace kalmar::win32
