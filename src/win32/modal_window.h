#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "win32/controls.h"

namespace kalmar::win32 {

// A dialog of the program's own (the colour dialog, About): a fixed-size
// window over its disabled owner, its controls on one panel that passes
// their notices on, shown until end() or its close box.
class ModalWindow {
 public:
  ModalWindow(HWND owner, const std::string& name, const std::string& title, int width,
              int height, Controls& controls);
  ~ModalWindow();
  ModalWindow(const ModalWindow&) = delete;
  ModalWindow& operator=(const ModalWindow&) = delete;

  HWND window() const { return window_; }
  HWND panel() const { return panel_; }
  // Shows the window centred on its owner (or the screen) and returns when it has ended.
  void run(bool centreOnScreen = false);
  void end() { running_ = false; }
  bool running() const { return running_; }

  // The close box and Esc; by default they end the window.
  std::function<void()> onClose;
  std::function<void(NMHDR&)> onNotify;

 private:
  static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM w, LPARAM l);

  HWND owner_;
  Controls& controls_;
  HWND window_ = nullptr;
  HWND panel_ = nullptr;
  bool running_ = false;
};

}  // namespace kalmar::win32
