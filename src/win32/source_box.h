#pragma once

#include <windows.h>

#include <functional>

#include "model/window_state.h"
#include "win32/controls.h"
#include "win32/subclassed.h"

namespace kalmar::win32 {

// A read-only caption box that says where a panel's contents come from
// ("Буфер", "Микроконтроллер", ...), with its hint as a tooltip and its
// bold flag.
class SourceBox : private Subclassed {
 public:
  SourceBox(Controls& controls, const char* name, HWND parent);
  using Subclassed::hwnd;
  // Placed at the model's left edge at `top`, moved left if it would leave
  // its group; as wide as its text needs when the model's width is less.
  void show(const SourceIndicator& box, int top);

  std::function<void()> onMouseUp;

 private:
  LRESULT message(UINT message, WPARAM w, LPARAM l) override;
  int textWidth(const std::string& text, bool bold) const;

  Controls& controls_;
  SourceIndicator shown_{"\x01", "", false, -1, -1, 0};
  int top_ = -1;
  int parentWidth_ = -1;
};

}  // namespace kalmar::win32
