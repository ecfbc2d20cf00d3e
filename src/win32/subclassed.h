#pragma once

#include <windows.h>

namespace kalmar::win32 {

// A system control (EDIT, LISTBOX) whose messages pass through an object
// first. The classic way (the window procedure replaced), which every
// Windows from XP on has with any common-controls version. The window may
// outlive the object or the other way round: whichever goes first unhooks.
class Subclassed {
 public:
  Subclassed(const Subclassed&) = delete;
  Subclassed& operator=(const Subclassed&) = delete;
  HWND hwnd() const { return hwnd_; }

 protected:
  Subclassed() = default;
  virtual ~Subclassed();
  void attach(HWND control);
  // A message for the control: handle it, or pass it on by original().
  virtual LRESULT message(UINT message, WPARAM w, LPARAM l) = 0;
  LRESULT original(UINT message, WPARAM w, LPARAM l);

 private:
  struct Hook;
  static LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM w, LPARAM l);
  void detach();
  HWND hwnd_ = nullptr;
  Hook* hook_ = nullptr;
};

}  // namespace kalmar::win32
