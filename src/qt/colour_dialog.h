#pragma once

#include <QDialog>

#include "qt/window_link.h"

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace kalmar::qt {

// TForm2 "Настройка цвета": the page "Быстрая" with the scheme list, the
// page "Произвольная" with "Цвет 1".."Цвет 3", three preview fields,
// "Сохранить" and "Отмена". A fixed frame without a close box; every choice
// is shown on the main window at once.
class ColourDialog : public QDialog {
 public:
  ColourDialog(QWidget* parent, WindowLink& link);
  // Shows the dialog's part of the window state.
  void showState(const WindowState& window);

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Escape does what "Отмена" does

 private:
  void run(void (*handler)(TForm1&));

  WindowLink& link_;
  QTabWidget* PageControl1;
  QComboBox* ComboBox1;
  QLineEdit* previews_[3];
};

}  // namespace kalmar::qt
