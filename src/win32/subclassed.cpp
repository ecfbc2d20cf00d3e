#include "win32/subclassed.h"

namespace kalmar::win32 {

namespace {

constexpr wchar_t kProperty[] = L"KalmarSubclassed";

}  // namespace

// Kept with the window until it goes: another hook (a tooltip's) may lie
// over this one, so an object that goes first only stops taking messages.
struct Subclassed::Hook {
  Subclassed* owner;
  WNDPROC original;
};

Subclassed::~Subclassed() {
  detach();
}

void Subclassed::attach(HWND control) {
  if (control == nullptr || hook_ != nullptr) return;
  hwnd_ = control;
  hook_ = new Hook{this, nullptr};
  SetPropW(control, kProperty, hook_);
  hook_->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
}

void Subclassed::detach() {
  if (hook_ == nullptr) return;
  const bool onTop =
      reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC)) == &procedure;
  if (IsWindow(hwnd_) && onTop) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook_->original));
    RemovePropW(hwnd_, kProperty);
    delete hook_;
  } else {
    hook_->owner = nullptr;  // the window's end frees it
  }
  hook_ = nullptr;
  hwnd_ = nullptr;
}

LRESULT Subclassed::original(UINT message, WPARAM w, LPARAM l) {
  return CallWindowProcW(hook_->original, hwnd_, message, w, l);
}

LRESULT CALLBACK Subclassed::procedure(HWND control, UINT message, WPARAM w, LPARAM l) {
  auto* hook = static_cast<Hook*>(GetPropW(control, kProperty));
  if (hook == nullptr) return DefWindowProcW(control, message, w, l);
  if (message == WM_NCDESTROY) {
    const WNDPROC original = hook->original;
    if (hook->owner != nullptr) {
      hook->owner->hook_ = nullptr;
      hook->owner->hwnd_ = nullptr;
    }
    RemovePropW(control, kProperty);
    delete hook;
    return CallWindowProcW(original, control, message, w, l);
  }
  if (hook->owner == nullptr) return CallWindowProcW(hook->original, control, message, w, l);
  return hook->owner->message(message, w, l);
}

}  // namespace kalmar::win32
