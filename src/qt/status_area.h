#pragma once

#include <QFrame>
#include <QLabel>
#include "qt/progress_line.h"

#include "model/window_state.h"
#include "qt/layout.h"

namespace kalmar::qt {

// The progress bar, the two status lines and the wait panel "Ждите. Идет
// выполнение." that stands over the disabled window while a command runs.
// They live outside the part of the window a command disables, so they
// keep their look while they report.
class StatusArea {
 public:
  explicit StatusArea(QWidget* client);
  void show(const WindowState& window);
  void place(const Geometry& geometry);

 private:
  ProgressLine* ProgressBar1;
  QLabel* StatusBar1;
  QLabel* StatusBar2;
  QFrame* Panel2;
  QLabel* Label3;
  std::string shown1_, shown2_;
};

}  // namespace kalmar::qt
