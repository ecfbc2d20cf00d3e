#pragma once

#include <QLineEdit>
#include <functional>
#include <string>

#include "memory/id_locations.h"

namespace kalmar::qt {

// A masked hex cell of the data memory grid or the ID group. It forwards
// what the user does to the window's cell handlers: the text as the mask
// shows it (free positions as "_"), key releases with the caret, presses,
// releases and focus. Program-made changes go through show(), which never
// reports back.
class CellEdit : public QLineEdit {
 public:
  CellEdit(const QString& name, int digits, QWidget* parent);

  // Shows the model's text unless the cell already shows it.
  void show(const std::string& text);
  // The caret as the handlers see it: the start of the selection.
  int caret() const;

  std::function<void(const std::string&)> onEdited;
  std::function<void(CellKey, int caret)> onKeyUp;
  std::function<void()> onPress;
  std::function<void()> onRelease;
  std::function<void()> onFocusIn;
  // Tab (true) or Shift+Tab (false); false when the cell has no neighbour
  // that way, and the focus leaves the group as usual.
  std::function<bool(bool forward)> onTab;

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  bool event(QEvent* event) override;

 private:
  std::string shown_;
};

}  // namespace kalmar::qt
