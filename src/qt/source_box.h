#pragma once

#include <QLineEdit>
#include <functional>

#include "model/window_state.h"

namespace kalmar::qt {

// A read-only caption box that says where a panel's contents come from
// ("Буфер", "Микроконтроллер", ...), with its hint and bold flag. A screen
// reader names it after its panel ("Память программ, источник"), not after
// the group's title.
class SourceBox : public QLineEdit {
 public:
  SourceBox(const char* name, QWidget* parent);
  // Placed at the model's left edge, moved left if it would leave its group.
  void show(const SourceIndicator& box, int top);

  std::function<void()> onMouseUp;

 private:
  SourceIndicator shown_{"\x01", "", false, -1, -1, 0};
  int top_ = -1;
  int parentWidth_ = -1;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace kalmar::qt
