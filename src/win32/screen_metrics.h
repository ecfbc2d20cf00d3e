#pragma once

#include <windows.h>

#include <optional>

namespace kalmar::win32 {

// What the window is laid out for: the screen's DPI and the part of the
// screen a window may take (the work area: the screen less the task bar).
// Both are the system's unless given, as a test gives a screen of its own.
struct ScreenMetrics {
  int dpi = 0;                   // 0: the system's
  std::optional<RECT> workArea;  // none: the work area of the window's monitor
};

}  // namespace kalmar::win32
