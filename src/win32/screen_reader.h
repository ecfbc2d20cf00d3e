#pragma once

#include <string>

#include "win32/controls.h"

namespace kalmar::win32 {

// Gives the controls that show no name of their own (cells, source boxes,
// the scrolled columns, the progress bar, the BG list) the names a screen
// reader reads, through Active Accessibility's annotations. Where the
// system has none (an early Windows XP) the controls keep the system's
// own names.
void nameForScreenReaders(const Controls& controls);
// One control's name, given anew when what it stands for changes (the
// field panel's lists on another chip); nothing for an empty name.
void nameForScreenReaders(HWND control, const std::string& name);

}  // namespace kalmar::win32
