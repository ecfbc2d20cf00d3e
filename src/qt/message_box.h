#pragma once

#include <QDialog>

#include "model/host.h"

class QLabel;
class QPushButton;

namespace kalmar::qt {

// The program's message box. Its lines are the program's own (it breaks
// them itself): they stay whole, the caption stays uncut in the title, the
// box can be resized, whatever font the system has.
class MessageDialog final : public QDialog {
 public:
  MessageDialog(QWidget* parent, const QString& caption, const QString& text, MessageIcon icon,
                MessageButtons buttons);

  // Shows the box until a button is chosen; Escape is the second button
  // (OK where there is only one).
  MessageResult ask();
  QLabel* textLabel() const { return label_; }

 private:
  void fitCaption(const QString& caption);

  MessageButtons buttons_;
  QLabel* label_;
  QPushButton* first_ = nullptr;
  QPushButton* chosen_ = nullptr;
};

}  // namespace kalmar::qt
