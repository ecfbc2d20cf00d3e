#include "win32/source_box.h"

#include <algorithm>

#include "win32/wide_text.h"

namespace kalmar::win32 {

SourceBox::SourceBox(Controls& controls, const char* name, HWND parent) : controls_(controls) {
  HWND edit = controls.make(L"EDIT", name, "", ES_READONLY | ES_AUTOHSCROLL | WS_CLIPSIBLINGS,
                            parent, {0, 0, 0, 15});
  if (edit == nullptr) return;
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
  attach(edit);
}

int SourceBox::textWidth(const std::string& text, bool bold) const {
  HDC dc = GetDC(hwnd());
  if (dc == nullptr) return 0;
  HGDIOBJ old = SelectObject(dc, bold ? controls_.boldFont() : controls_.font());
  const std::wstring line = wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, line.c_str(), static_cast<int>(line.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd(), dc);
  return controls_.unscale(size.cx);
}

void SourceBox::show(const SourceIndicator& box, int top) {
  if (hwnd() == nullptr) return;
  RECT parent{};
  GetClientRect(GetParent(hwnd()), &parent);
  const int parentWidth = controls_.unscale(parent.right);
  if (top == top_ && parentWidth == parentWidth_ && box.Text == shown_.Text &&
      box.Hint == shown_.Hint && box.Bold == shown_.Bold && box.Left == shown_.Left &&
      box.Width == shown_.Width)
    return;
  const bool fontChanged = box.Bold != shown_.Bold;
  shown_ = box;
  top_ = top;
  parentWidth_ = parentWidth;
  Controls::setText(hwnd(), box.Text);
  controls_.setHint(hwnd(), box.Hint);
  if (fontChanged)
    SendMessageW(hwnd(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(box.Bold ? controls_.boldFont() : controls_.font()), TRUE);
  // The model's sizes fit its own font; a wider text gets the room it needs.
  // A width of 0 hides the box, as the window's design has it at start.
  const int width = std::max(box.Width, textWidth(box.Text, box.Bold) + 8);
  setVisible(hwnd(), box.Width > 0);
  const int room = parentWidth - 4;
  controls_.place(hwnd(), {std::max(0, std::min(box.Left, room - width)), top, width, 15});
}

LRESULT SourceBox::message(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_LBUTTONUP: {
      const LRESULT result = original(message, w, l);
      if (onMouseUp) onMouseUp();
      return result;
    }
    case WM_CONTEXTMENU:  // the group's pop-up menu, never the edit's own
      return SendMessageW(GetParent(hwnd()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()), l);
    default:
      return original(message, w, l);
  }
}

}  // namespace kalmar::win32
