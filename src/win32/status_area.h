#pragma once

#include <windows.h>

#include <string>

#include "desktop/layout.h"
#include "model/window_state.h"
#include "win32/controls.h"

namespace kalmar::win32 {

// The bottom of the window: the progress bar and the two status lines in
// their strip under the groups, and the maroon wait panel that lies over
// the groups while a command runs.
class StatusArea {
 public:
  StatusArea(HWND groups, HWND strip, Controls& controls);
  ~StatusArea();
  StatusArea(const StatusArea&) = delete;
  StatusArea& operator=(const StatusArea&) = delete;

  // Where the strip starts in the client area: under the lowest group.
  static int top(const desktop::Geometry& geometry);
  void place(const desktop::Geometry& geometry);
  void show(const WindowState& window);
  // The wait panel's colours (WM_CTLCOLORSTATIC); null for another control.
  HBRUSH colourOf(HWND control, HDC dc) const;

  static constexpr int kProgressMaximum = 106;

 private:
  Controls& controls_;
  HWND ProgressBar1;
  HWND StatusBar1;
  HWND StatusBar2;
  HWND Panel2;
  int progress_ = -1;
  std::string shown1_, shown2_;
  COLORREF panelColour_ = 0;
  HBRUSH panelBrush_ = nullptr;
};

}  // namespace kalmar::win32
