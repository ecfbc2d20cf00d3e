#pragma once

#include <QDialog>

#include "qt/window_link.h"

class QLabel;

namespace kalmar::qt {

// TForm3 "О программе": icon, title, version line, six lines of text and the
// chip maker's link, coloured from the saved colours each time it is shown.
class AboutBox : public QDialog {
 public:
  AboutBox(QWidget* parent, WindowLink& link);
  void showState(const WindowState& window);

 private:
  QLabel* title_;
  QLabel* version_;
  QLabel* text_;
  QLabel* build_ = nullptr;
  QLabel* Label3;
};

}  // namespace kalmar::qt
