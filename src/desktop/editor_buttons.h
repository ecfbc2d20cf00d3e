#pragma once

#include <array>

#include "model/form1.h"

namespace kalmar::desktop {

// The data memory editor's three word buttons in GroupBox3, left to right:
// the component, its word (and hint), the window's handler.
struct EditorButton {
  const char* name;
  const char* hint;
  void (*handler)(TForm1&);
};
const std::array<EditorButton, 3>& editorButtons();

}  // namespace kalmar::desktop
