#pragma once

#include <QGroupBox>
#include <array>

#include "qt/cell_edit.h"
#include "qt/layout.h"
#include "qt/source_box.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// "Идентификатор": the four ID cells MaskEdit301..MaskEdit304 and Edit8.
class IdCells {
 public:
  IdCells(QWidget* parent, WindowLink& link);
  QGroupBox* group() const { return GroupBox8; }
  void place(const Geometry& geometry);
  void show(const WindowState& window);

 private:
  QGroupBox* GroupBox8;
  SourceBox* Edit8;
  std::array<CellEdit*, 4> cells;
};

}  // namespace kalmar::qt
