#pragma once

#include <windows.h>

#include <optional>

#include "win32/controls.h"

namespace kalmar::win32 {

// The window's client area as two panels: the groups ("Commands") and,
// under them, the strip of the progress bar and status lines. The window
// is sized for an arrangement and kept within the work area of its screen.
// Where the work area is too short for the whole client area (a tall
// arrangement at a large DPI), the window is as tall as the work area, the
// strip stays at its bottom, always in view (a command's progress shows
// while the window takes no input), and the groups scroll above it under
// the window's vertical scroll bar.
class ScrolledClient {
 public:
  // style and exStyle: the window's, for the size of its frame.
  ScrolledClient(HWND window, DWORD style, DWORD exStyle, Controls& controls,
                 std::optional<RECT> workArea);
  HWND groups() const { return groups_; }
  HWND strip() const { return strip_; }
  // Sizes the window for a client area `height` 96-DPI pixels tall whose
  // strip starts at `stripTop`.
  void fit(int height, int stripTop);
  // Fits again: the work area or the screen changed.
  void refit() {
    if (height_ > 0) fit(height_, stripTop_);
  }
  bool scrolls() const { return scrolls_; }
  // The window's scroll bar moved (WM_VSCROLL's code) or the wheel turned (WM_MOUSEWHEEL's delta).
  void scroll(int code);
  void wheel(int delta);
  // Scrolls a control among the groups (the keyboard focus) into view.
  void keepInView(HWND control);

 private:
  RECT workArea() const;
  void resize(SIZE outer, const RECT& work);
  int clientHeight() const;
  int stripHeight() const;
  int viewHeight() const;
  void scrollTo(int position);
  void layout();

  HWND window_;
  DWORD style_, exStyle_;
  Controls& controls_;
  std::optional<RECT> workArea_;
  HWND groups_ = nullptr;
  HWND strip_ = nullptr;
  int height_ = 0, stripTop_ = 0;  // 96-DPI pixels
  bool scrolls_ = false;
  int position_ = 0;  // the groups' scrolled-off height, in device pixels
  int wheelRest_ = 0;
};

}  // namespace kalmar::win32
