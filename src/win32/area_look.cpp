#include "win32/area_look.h"

#include "desktop/colour_look.h"
#include "win32/controls.h"

#include <windowsx.h>

namespace kalmar::win32 {

FieldBrushes::~FieldBrushes() {
  for (auto& [colour, brush] : brushes_) DeleteObject(brush);
}

HBRUSH FieldBrushes::brush(COLORREF colour) {
  if (auto found = brushes_.find(colour); found != brushes_.end()) return found->second;
  // A brush serves only the painting under way: old colours can go.
  if (brushes_.size() >= 8) {
    for (auto& [old, brush] : brushes_) DeleteObject(brush);
    brushes_.clear();
  }
  HBRUSH made = CreateSolidBrush(colour);
  brushes_[colour] = made;
  return made;
}

HBRUSH FieldBrushes::paint(HDC dc, std::uint32_t text) {
  const COLORREF field = desktop::fieldFor(text);
  SetTextColor(dc, text);
  SetBkColor(dc, field);
  return brush(field);
}

namespace {

constexpr wchar_t kButtonProperty[] = L"KalmarNoFocusButton";

bool isOver(HWND button, LPARAM l) {
  RECT box{};
  GetClientRect(button, &box);
  const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
  return PtInRect(&box, at) != FALSE;
}

LRESULT CALLBACK noFocusButton(HWND button, UINT message, WPARAM w, LPARAM l) {
  const auto original = reinterpret_cast<WNDPROC>(GetPropW(button, kButtonProperty));
  switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetCapture(button);
      SendMessageW(button, BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == button) {
        SendMessageW(button, BM_SETSTATE, isOver(button, l) ? TRUE : FALSE, 0);
        return 0;
      }
      break;
    case WM_LBUTTONUP:
      if (GetCapture() == button) {
        const bool over = isOver(button, l);
        ReleaseCapture();
        SendMessageW(button, BM_SETSTATE, FALSE, 0);
        if (over && IsWindowEnabled(button))
          SendMessageW(GetParent(button), WM_COMMAND,
                       MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
      }
      return 0;
    case WM_CAPTURECHANGED:
      SendMessageW(button, BM_SETSTATE, FALSE, 0);
      break;
    case WM_NCDESTROY:
      RemovePropW(button, kButtonProperty);
      break;
    default:
      break;
  }
  return original ? CallWindowProcW(original, button, message, w, l)
                  : DefWindowProcW(button, message, w, l);
}

}  // namespace

void keepFocusAway(HWND button) {
  if (button == nullptr || GetPropW(button, kButtonProperty) != nullptr) return;
  SetPropW(button, kButtonProperty,
           reinterpret_cast<HANDLE>(SetWindowLongPtrW(
               button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&noFocusButton))));
}

void setGroupEnabled(HWND group, bool enabled, std::initializer_list<HWND> contents) {
  setEnabled(group, enabled);
  for (HWND control : contents) setEnabled(control, enabled);
}

void raise(HWND control) {
  if (control == nullptr || GetWindow(GetParent(control), GW_CHILD) == control) return;
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

}  // namespace kalmar::win32
