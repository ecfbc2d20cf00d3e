#include "win32/controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

// The system's DPI: the whole screen's on every Windows from XP on (the
// program declares itself DPI-aware in its manifest, so this is the real one).
int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

constexpr wchar_t kPanelClass[] = L"KalmarPanel";

// Before Windows 10 the wheel goes to the focused window (a group after a
// click on its columns): the scrolled child under the pointer takes it.
// Elsewhere (a panel, a cell) it goes up to the window, which scrolls where
// its groups do not fit.
HWND scrolledChildUnder(HWND panel, LPARAM l) {
  HWND under = WindowFromPoint(POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
  const bool scrolled = under != nullptr && under != panel && IsChild(panel, under) &&
                        (GetWindowLongW(under, GWL_STYLE) & WS_VSCROLL) != 0;
  return scrolled ? under : nullptr;
}

}  // namespace

Controls::Controls(int dpi) : dpi_(dpi > 0 ? dpi : systemDpi()) {
  font_ = fontOf(11, false);
  bold_ = fontOf(11, true);
  registerWindowClass(kPanelClass, panelProc);
}

void registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background) {
  WNDCLASSEXW type{};
  type.cbSize = sizeof type;
  type.lpfnWndProc = procedure;
  type.hInstance = GetModuleHandleW(nullptr);
  type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  type.hbrBackground = background;
  type.lpszClassName = name;
  RegisterClassExW(&type);  // fails harmlessly when registered already
}

Controls::~Controls() {
  if (tooltip_) DestroyWindow(tooltip_);
  for (auto& [key, font] : fonts_) DeleteObject(font);
  if (backgroundBrush_) DeleteObject(backgroundBrush_);
}

HWND Controls::makePanel(const std::string& name, const std::string& caption, bool framed,
                         HWND parent, const desktop::Rect& rect) {
  HWND panel = make(kPanelClass, name, caption, WS_VISIBLE | WS_CLIPSIBLINGS, parent, rect,
                    WS_EX_CONTROLPARENT);
  SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  framed_[panel] = framed;
  InvalidateRect(panel, nullptr, TRUE);
  return panel;
}

void Controls::onCommand(HWND control, std::function<void(WORD code)> handler) {
  commands_[control] = std::move(handler);
}

void Controls::setCaptionColour(HWND panel, COLORREF colour) {
  const auto found = captionColours_.find(panel);
  if (found != captionColours_.end() && found->second == colour) return;
  captionColours_[panel] = colour;
  InvalidateRect(panel, nullptr, TRUE);
}

void Controls::setHint(HWND control, const std::string& hint) {
  if (tooltip_ == nullptr) {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, scale(400));
  }
  std::wstring text = wide(hint);
  TOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;  // the size every comctl32 version takes
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (!hint.empty()) SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HBRUSH Controls::backgroundBrush() {
  if (backgroundBrush_ == nullptr || brushColour_ != background) {
    if (backgroundBrush_) DeleteObject(backgroundBrush_);
    backgroundBrush_ = CreateSolidBrush(background);
    brushColour_ = background;
  }
  return backgroundBrush_;
}

LRESULT CALLBACK Controls::panelProc(HWND panel, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<Controls*>(GetWindowLongPtrW(panel, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(panel, message, w, l);
  return self->panelMessage(panel, message, w, l);
}

LRESULT Controls::panelMessage(HWND panel, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND:
      if (auto found = commands_.find(reinterpret_cast<HWND>(l)); found != commands_.end()) {
        const auto handler = found->second;  // the handler may replace itself
        handler(HIWORD(w));
        return 0;
      }
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
      if (HBRUSH brush = childColours(message, reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l)))
        return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_DRAWITEM:
      if (drawItem && drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l))) return TRUE;
      break;
    case WM_NOTIFY:
    case WM_VSCROLL:
      return SendMessageW(GetParent(panel), message, w, l);
    case WM_CONTEXTMENU:
      if (onContextMenu) {
        onContextMenu(panel, POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)});
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      focusOnClick(panel);
      break;
    case WM_SETFOCUS:
      if (onFocus) onFocus(nameOf(panel));
      return 0;
    case WM_MOUSEWHEEL:
      if (HWND under = scrolledChildUnder(panel, l)) {
        SendMessageW(under, WM_MOUSEWHEEL, w, l);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      paintPanel(panel);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(panel, message, w, l);
      InvalidateRect(panel, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      framed_.erase(panel);
      captionColours_.erase(panel);
      commands_.erase(panel);
      forget(panel);
      break;
    default:
      break;
  }
  return DefWindowProcW(panel, message, w, l);
}

// A child's colours (WM_CTLCOLOR...): the window's own, else the panel's
// text and background for statics and buttons; null for the system's.
HBRUSH Controls::childColours(UINT message, HDC dc, HWND child) {
  if (colourOf)
    if (HBRUSH brush = colourOf(child, dc)) return brush;
  if (message != WM_CTLCOLORSTATIC && message != WM_CTLCOLORBTN) return nullptr;
  SetTextColor(dc, text);
  SetBkColor(dc, background);
  return backgroundBrush();
}

// A click in a group gives it the focus, as the window's handlers expect.
void Controls::focusOnClick(HWND panel) {
  if (nameOf(panel).rfind("GroupBox", 0) == 0 && GetFocus() != panel) SetFocus(panel);
}

// A group as the system draws one: an etched frame from the middle of the
// caption's line down, the caption over it at the left.
void Controls::paintPanel(HWND panel) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(panel, &paint);
  RECT area;
  GetClientRect(panel, &area);
  FillRect(dc, &area, backgroundBrush());
  if (framed_[panel]) {
    const int lineHeight = scale(13);
    RECT frame = area;
    frame.top += lineHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    const std::wstring caption = wide(textOf(panel));
    if (!caption.empty()) {
      HGDIOBJ old = SelectObject(dc, font_);
      const auto own = captionColours_.find(panel);
      const COLORREF colour = own != captionColours_.end() ? own->second : text;
      SetTextColor(dc, IsWindowEnabled(panel) ? colour : GetSysColor(COLOR_GRAYTEXT));
      SetBkColor(dc, background);
      SetBkMode(dc, OPAQUE);
      RECT label{scale(8), 0, area.right - scale(8), lineHeight};
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &label,
                DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
      SelectObject(dc, old);
    }
  }
  EndPaint(panel, &paint);
}

HFONT Controls::fontOf(int pixels, bool bold) {
  const auto key = std::make_pair(pixels, bold);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  // Tahoma is on every Windows from 2000 on and has Cyrillic; the system
  // substitutes its own dialog font where it is missing.
  HFONT font = CreateFontW(-scale(pixels), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                           FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Tahoma");
  fonts_[key] = font;
  return font;
}

HWND Controls::make(const wchar_t* windowClass, const std::string& name, const std::string& text,
                    DWORD style, HWND parent, const desktop::Rect& rect, DWORD exStyle) {
  const RECT box = scaled(rect);
  HWND control = CreateWindowExW(exStyle, windowClass, wide(text).c_str(), style | WS_CHILD,
                                 box.left, box.top, box.right - box.left, box.bottom - box.top,
                                 parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (control == nullptr) return nullptr;
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  if (!name.empty()) {
    byName_[name] = control;
    names_[control] = name;
  }
  return control;
}

void Controls::place(HWND control, const desktop::Rect& rect) const {
  if (control == nullptr) return;
  const RECT box = scaled(rect);
  SetWindowPos(control, nullptr, box.left, box.top, box.right - box.left, box.bottom - box.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND Controls::find(const std::string& name) const {
  const auto found = byName_.find(name);
  return found == byName_.end() ? nullptr : found->second;
}

std::string Controls::nameOf(HWND control) const {
  const auto found = names_.find(control);
  return found == names_.end() ? std::string() : found->second;
}

void Controls::forget(HWND control) {
  const auto found = names_.find(control);
  if (found == names_.end()) return;
  byName_.erase(found->second);
  names_.erase(found);
}

void Controls::forgetWithin(HWND ancestor) {
  for (auto it = names_.begin(); it != names_.end();) {
    if (it->first == ancestor || IsChild(ancestor, it->first)) {
      byName_.erase(it->second);
      commands_.erase(it->first);
      it = names_.erase(it);
    } else {
      ++it;
    }
  }
}

void Controls::setText(HWND control, const std::string& text) {
  if (control == nullptr || textOf(control) == text) return;
  SetWindowTextW(control, wide(text).c_str());
}

std::string Controls::textOf(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  return utf8(text);
}

void setEnabled(HWND control, bool enabled) {
  if (control != nullptr && (IsWindowEnabled(control) != FALSE) != enabled)
    EnableWindow(control, enabled ? TRUE : FALSE);
}

void setVisible(HWND control, bool visible) {
  const bool shown = (GetWindowLongW(control, GWL_STYLE) & WS_VISIBLE) != 0;
  if (control != nullptr && shown != visible) ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

}  // namespace kalmar::win32
