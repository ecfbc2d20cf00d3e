#include "win32/cell_edit.h"

#include <cstdlib>
#include <utility>

#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

CellKey cellKeyOf(WPARAM key) {
  switch (key) {
    case VK_LEFT:
      return CellKey::Left;
    case VK_RIGHT:
      return CellKey::Right;
    case VK_UP:
      return CellKey::Up;
    case VK_DOWN:
      return CellKey::Down;
    default:
      return CellKey::Other;
  }
}

bool isDown(int key) {
  return GetKeyState(key) < 0;
}

std::u32string clipboardText(HWND owner) {
  std::u32string text;
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      // Every character outside ASCII is refused alike: a surrogate pair
      // may stay two units.
      for (const wchar_t* c = chars; *c != L'\0'; ++c) text += static_cast<char32_t>(*c);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace

CellEdit::CellEdit(Controls& controls, const std::string& name, int digits, bool framed,
                   HWND parent, const desktop::Rect& rect)
    : controls_(controls), name_(name), digits_(digits) {
  const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | ES_CENTER;
  HWND edit = controls.make(L"EDIT", name, desktop::MaskedCell::masked("", digits), style, parent,
                            rect, framed ? WS_EX_CLIENTEDGE : 0);
  if (edit == nullptr) return;
  SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  attach(edit);
}

void CellEdit::show(const std::string& text) {
  if (hwnd() == nullptr || text == shown_) return;
  shown_ = text;
  SetWindowTextW(hwnd(), wide(desktop::MaskedCell::masked(text, digits_)).c_str());
  SendMessageW(hwnd(), EM_SETSEL, 0, 0);  // a refused entry starts again at the first digit
}

int CellEdit::caret() const {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(start);
}

int CellEdit::selectionLength() const {
  DWORD start = 0, end = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void CellEdit::select(int start, int length) {
  desktop::MaskedCell cell(digits_);
  cell.select(start, start + length);
  SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(cell.anchor()),
               static_cast<LPARAM>(cell.caret()));
}

void CellEdit::setReadOnly(bool readOnly) {
  if (hwnd() != nullptr && this->readOnly() != readOnly)
    SendMessageW(hwnd(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool CellEdit::readOnly() const {
  return (GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY) != 0;
}

desktop::MaskedCell CellEdit::state() const {
  desktop::MaskedCell cell(digits_);
  cell.setShown(Controls::textOf(hwnd()));
  DWORD start = 0, end = 0;
  SendMessageW(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  // The control tells the selection's ends, not which of them the caret is
  // at; the caret's place on the screen does.
  int anchor = static_cast<int>(start), caret = static_cast<int>(end);
  POINT at{};
  if (start != end && GetFocus() == hwnd() && GetCaretPos(&at)) {
    const LRESULT first = SendMessageW(hwnd(), EM_POSFROMCHAR, start, 0);
    if (first != -1 && std::abs(static_cast<short>(LOWORD(first)) - at.x) <= 1) std::swap(anchor, caret);
  }
  cell.select(anchor, caret);
  return cell;
}

void CellEdit::apply(const desktop::MaskedCell& cell, bool changed) {
  if (changed) {
    shown_ = cell.text();
    SetWindowTextW(hwnd(), wide(cell.text()).c_str());
  }
  SendMessageW(hwnd(), EM_SETSEL, static_cast<WPARAM>(cell.anchor()),
               static_cast<LPARAM>(cell.caret()));
  if (changed && onEdited) onEdited(shown_);
}

void CellEdit::paste() {
  if (readOnly()) return;
  desktop::MaskedCell cell = state();
  const bool changed = cell.paste(clipboardText(hwnd()));
  apply(cell, changed);
}

void CellEdit::cut() {
  desktop::MaskedCell cell = state();
  if (readOnly() || !cell.hasSelection()) return;
  original(WM_COPY, 0, 0);
  const bool changed = cell.clearSelection();
  apply(cell, changed);
}

LRESULT CellEdit::message(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_GETDLGCODE:
      return dialogCode(w, l);
    case WM_KEYDOWN:
      if (keyDown(w)) return 0;
      break;
    case WM_CHAR:
      character(static_cast<wchar_t>(w));
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const LRESULT result = original(message, w, l);
      if (onKeyUp) onKeyUp(cellKeyOf(w), caret());
      return result;
    }
    case WM_PASTE:
      paste();
      return 0;
    case WM_CUT:
      cut();
      return 0;
    case WM_CLEAR:
      if (!readOnly()) {
        desktop::MaskedCell cell = state();
        const bool changed = cell.clearSelection();
        apply(cell, changed);
      }
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return FALSE;  // the mask keeps no history; the handlers put a refused entry back
    case WM_LBUTTONDOWN: {
      const LRESULT result = original(message, w, l);
      pressed_ = true;
      if (onPress) onPress();
      return result;
    }
    case WM_LBUTTONDBLCLK: {  // a word selected, not a second press
      const LRESULT result = original(message, w, l);
      pressed_ = true;
      return result;
    }
    case WM_LBUTTONUP: {
      const LRESULT result = original(message, w, l);
      if (pressed_) {
        pressed_ = false;
        if (onRelease) onRelease();
      }
      return result;
    }
    case WM_SETFOCUS: {
      const LRESULT result = original(message, w, l);
      focusIn();
      return result;
    }
    case WM_CONTEXTMENU:
      // The group's pop-up menu, never the edit's own.
      if (l == -1) {  // from the keyboard: at the cell
        RECT box;
        GetWindowRect(hwnd(), &box);
        l = MAKELPARAM(box.left, box.bottom);
      }
      return SendMessageW(GetParent(hwnd()), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd()), l);
    default:
      break;
  }
  return original(message, w, l);
}

// The keys the window's dialog navigation would take otherwise: Tab goes to
// the cell (it moves to a neighbour or hands the focus on itself), and the
// dialog manager never selects the whole cell on entry.
LRESULT CellEdit::dialogCode(WPARAM w, LPARAM l) {
  LRESULT code = original(WM_GETDLGCODE, w, l) & ~DLGC_HASSETSEL;
  const auto* queued = reinterpret_cast<const MSG*>(l);
  if (queued != nullptr && queued->message == WM_KEYDOWN && queued->wParam == VK_TAB && onTab &&
      !isDown(VK_CONTROL) && !isDown(VK_MENU))
    code |= DLGC_WANTTAB;
  return code;
}

bool CellEdit::keyDown(WPARAM key) {
  const bool shift = isDown(VK_SHIFT);
  switch (key) {
    case VK_TAB:
      tab(!shift);
      return true;
    case VK_UP:
    case VK_DOWN:
      return true;  // the caret stays; the key's release moves between rows
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
      if (isDown(VK_CONTROL)) return false;  // word steps: the control's own
      moveCaret(key, shift);
      return true;
    case VK_DELETE:
      if (shift) {
        cut();
      } else if (!readOnly()) {
        desktop::MaskedCell cell = state();
        const bool changed = cell.del();
        apply(cell, changed);
      }
      return true;
    case VK_INSERT:
      if (!shift) return false;  // Ctrl+Insert copies
      paste();
      return true;
    default:
      return false;
  }
}

void CellEdit::moveCaret(WPARAM key, bool extend) {
  desktop::MaskedCell cell = state();
  if (key == VK_LEFT) cell.left(extend);
  if (key == VK_RIGHT) cell.right(extend);
  if (key == VK_HOME) cell.home(extend);
  if (key == VK_END) cell.end(extend);
  apply(cell, false);
}

void CellEdit::character(wchar_t c) {
  switch (c) {
    case 0x01:  // Ctrl+A
      SendMessageW(hwnd(), EM_SETSEL, 0, digits_);
      return;
    case 0x03:  // Ctrl+C
      original(WM_COPY, 0, 0);
      return;
    case 0x16:  // Ctrl+V
      paste();
      return;
    case 0x18:  // Ctrl+X
      cut();
      return;
    case L'\b': {
      if (readOnly()) return;
      desktop::MaskedCell cell = state();
      const bool changed = cell.backspace();
      apply(cell, changed);
      return;
    }
    default:
      break;
  }
  if (c < 0x20 || c == 0x7F || readOnly()) return;  // Enter, Escape, Tab, Ctrl+Backspace: nothing
  desktop::MaskedCell cell = state();
  const bool changed = cell.type(static_cast<char32_t>(c));
  apply(cell, changed);
}

void CellEdit::focusIn() {
  // Entered by Tab, the caret goes to the first position.
  if (isDown(VK_TAB)) SendMessageW(hwnd(), EM_SETSEL, 0, 0);
  if (onFocusIn) onFocusIn();
  if (controls_.onFocus) controls_.onFocus(name_);
}

void CellEdit::tab(bool forward) {
  if (onTab && onTab(forward)) return;
  // No neighbour that way: on to the window's next control, as the dialog
  // navigation goes.
  HWND root = GetAncestor(hwnd(), GA_ROOT);
  HWND next = GetNextDlgTabItem(root, hwnd(), forward ? FALSE : TRUE);
  if (next == nullptr || next == hwnd()) return;
  SetFocus(next);
  if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(next, EM_SETSEL, 0, -1);
}

void noteSelection(TForm1& form, const CellEdit& cell) {
  form.window.SelStart = cell.caret();
  form.window.SelLength = cell.selectionLength();
}

void takeFocus(TForm1& form, const CellEdit& cell) {
  form.window.ActiveControl = cell.name();
}

void applySelection(const TForm1& form, CellEdit& cell) {
  cell.select(form.window.SelStart, form.window.SelLength > 0 ? form.window.SelLength : 0);
}

}  // namespace kalmar::win32
