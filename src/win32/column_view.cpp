#include "win32/column_view.h"

#include <algorithm>

#include "desktop/colour_look.h"
#include "desktop/layout.h"
#include "model/window_state.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

constexpr wchar_t kColumnClass[] = L"KalmarColumns";


}  // namespace

ColumnView::ColumnView(Controls& controls, const std::string& name, HWND parent,
                       const desktop::Rect& rect, bool scrolled, HWND focusTarget)
    : controls_(controls), focusTarget_(focusTarget), scrolled_(scrolled), origin_(rect.top) {
  registerWindowClass(kColumnClass, &procedure);
  const DWORD style = WS_VISIBLE | WS_CLIPSIBLINGS | (scrolled ? WS_VSCROLL | WS_TABSTOP : 0);
  hwnd_ = controls.make(kColumnClass, name, "", style, parent, rect,
                        scrolled ? WS_EX_CLIENTEDGE : 0);
  if (hwnd_ == nullptr) return;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  updateScrollBar();
}

ColumnView::~ColumnView() {
  if (hwnd_ != nullptr && IsWindow(hwnd_)) SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

int ColumnView::addColumn(int width) {
  Column column;
  column.width = width;
  columns_.push_back(std::move(column));
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
  return static_cast<int>(columns_.size()) - 1;
}

int ColumnView::lineHeight() const {
  return controls_.scale(desktop::kLineHeight);
}

// A scroll box steps by whole lines of one height. A bare column places
// each line as its neighbours are placed, scaled from the column's own top
// in 96-DPI pixels: a data row's label stays level with its row's cells at
// every DPI, where a step of one rounded height would drift from them.
int ColumnView::lineTop(int line) const {
  if (scrolled_) return line * lineHeight() - top_;
  return controls_.scale(origin_ + line * desktop::kLineHeight) - controls_.scale(origin_);
}

int ColumnView::viewHeight() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return client.bottom;
}

void ColumnView::invalidateColumn(int column) {
  if (hwnd_ == nullptr) return;
  int left = 0;
  for (int c = 0; c < column; ++c) left += controls_.scale(columns_[static_cast<std::size_t>(c)].width);
  RECT box{};
  GetClientRect(hwnd_, &box);
  box.left = left;
  box.right = left + controls_.scale(columns_[static_cast<std::size_t>(column)].width);
  InvalidateRect(hwnd_, &box, FALSE);
}

// Only the lines that changed are repainted: a read fills lines far below
// the ones in view, and those cost nothing then.
void ColumnView::replaceLines(int column, std::vector<std::wstring> lines) {
  Column& c = columns_[static_cast<std::size_t>(column)];
  if (lines.size() != c.lines.size()) {
    c.lines = std::move(lines);
    invalidateColumn(column);
    return;
  }
  std::size_t first = 0;
  while (first < lines.size() && lines[first] == c.lines[first]) ++first;
  if (first == lines.size()) return;
  std::size_t last = lines.size() - 1;
  while (last > first && lines[last] == c.lines[last]) --last;
  c.lines = std::move(lines);
  if (hwnd_ == nullptr) return;
  RECT box{};
  GetClientRect(hwnd_, &box);
  const long top = lineTop(static_cast<int>(first));
  const long bottom = lineTop(static_cast<int>(last + 1));
  if (bottom <= box.top || top >= box.bottom) return;  // none in view
  int left = 0;
  for (int i = 0; i < column; ++i) left += controls_.scale(columns_[static_cast<std::size_t>(i)].width);
  RECT changed{left, static_cast<LONG>(std::max<long>(top, box.top)),
               left + controls_.scale(c.width), static_cast<LONG>(std::min<long>(bottom, box.bottom))};
  InvalidateRect(hwnd_, &changed, FALSE);
}

void ColumnView::setText(int column, const std::string& text) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  Column& c = columns_[static_cast<std::size_t>(column)];
  if (text == c.text && !text.empty()) return;
  c.text = text;
  c.source.clear();
  std::vector<std::wstring> lines;
  for (const std::string& line : columnLines(text)) lines.push_back(wide(line));
  replaceLines(column, std::move(lines));
}

void ColumnView::setLines(int column, const std::vector<std::string>& lines) {
  setLines(column, lines.data(), lines.size());
}

void ColumnView::setLines(int column, const std::string* lines, std::size_t count) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  Column& c = columns_[static_cast<std::size_t>(column)];
  if (c.text.empty() && c.source.size() == count && std::equal(lines, lines + count, c.source.begin()))
    return;
  c.text.clear();
  c.source.assign(lines, lines + count);
  std::vector<std::wstring> wideLines;
  wideLines.reserve(count);
  for (std::size_t i = 0; i < count; ++i) wideLines.push_back(wide(lines[i]));
  replaceLines(column, std::move(wideLines));
}

void ColumnView::setWidth(int column, int width) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  Column& c = columns_[static_cast<std::size_t>(column)];
  if (c.width == width) return;
  c.width = width;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void ColumnView::setTextColour(int column, std::uint32_t colour) {
  if (column < 0 || column >= static_cast<int>(columns_.size())) return;
  Column& c = columns_[static_cast<std::size_t>(column)];
  if (c.colour == colour && c.field == desktop::fieldFor(colour)) return;
  c.colour = colour;
  c.field = desktop::fieldFor(colour);
  invalidateColumn(column);
}

void ColumnView::setRowsShown(int rows) {
  if (rows == rows_ || hwnd_ == nullptr) return;
  rows_ = rows;
  if (scrolled_) {
    updateScrollBar();
  } else {
    RECT box{};
    GetWindowRect(hwnd_, &box);
    SetWindowPos(hwnd_, nullptr, 0, 0, box.right - box.left, lineTop(rows),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ColumnView::updateScrollBar() {
  if (!scrolled_ || hwnd_ == nullptr) return;
  const int content = rows_ * lineHeight();
  const int view = viewHeight();
  const int top = std::clamp(top_, 0, std::max(0, content - view));
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
  info.nMin = 0;
  info.nMax = std::max(0, content - 1);
  info.nPage = static_cast<UINT>(std::max(0, view));
  info.nPos = top;
  SetScrollInfo(hwnd_, SB_VERT, &info, TRUE);
  if (top != top_) {
    top_ = top;
    InvalidateRect(hwnd_, nullptr, FALSE);
  }
}

void ColumnView::scrollTo(int position) {
  const int content = rows_ * lineHeight();
  const int top = std::clamp(position, 0, std::max(0, content - viewHeight()));
  if (top == top_) return;
  top_ = top;
  SetScrollPos(hwnd_, SB_VERT, top_, TRUE);
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void ColumnView::scrollBy(int code, int thumb) {
  const int line = lineHeight(), page = std::max(line, viewHeight());
  switch (code) {
    case SB_LINEUP:
      scrollTo(top_ - line);
      break;
    case SB_LINEDOWN:
      scrollTo(top_ + line);
      break;
    case SB_PAGEUP:
      scrollTo(top_ - page);
      break;
    case SB_PAGEDOWN:
      scrollTo(top_ + page);
      break;
    case SB_TOP:
      scrollTo(0);
      break;
    case SB_BOTTOM:
      scrollTo(rows_ * line);
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      scrollTo(thumb);
      break;
    default:
      break;
  }
}

bool ColumnView::scrollKey(WPARAM key) {
  switch (key) {
    case VK_UP:
      scrollBy(SB_LINEUP, 0);
      return true;
    case VK_DOWN:
      scrollBy(SB_LINEDOWN, 0);
      return true;
    case VK_PRIOR:
      scrollBy(SB_PAGEUP, 0);
      return true;
    case VK_NEXT:
      scrollBy(SB_PAGEDOWN, 0);
      return true;
    case VK_HOME:
      scrollBy(SB_TOP, 0);
      return true;
    case VK_END:
      scrollBy(SB_BOTTOM, 0);
      return true;
    default:
      return false;
  }
}

void ColumnView::press(LPARAM l) {
  HWND focus = scrolled_ ? hwnd_ : focusTarget_;
  if (focus != nullptr && GetFocus() != focus) SetFocus(focus);
  const int x = static_cast<short>(LOWORD(l)), y = static_cast<short>(HIWORD(l));
  int width = 0;
  for (const Column& c : columns_) width += controls_.scale(c.width);
  const bool onLines = x < width && (!scrolled_ || y + top_ < rows_ * lineHeight());
  if (onLines && onClick) onClick();
}

LRESULT CALLBACK ColumnView::procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  auto* self = reinterpret_cast<ColumnView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    self->hwnd_ = nullptr;
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return DefWindowProcW(window, message, w, l);
  }
  return self->handle(message, w, l);
}

LRESULT ColumnView::handle(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      paint();
      return 0;
    case WM_PRINTCLIENT: {  // PrintWindow and the like: the lines into their own DC
      RECT client{};
      GetClientRect(hwnd_, &client);
      paintLines(reinterpret_cast<HDC>(w), client);
      return 0;
    }
    case WM_SIZE:
      updateScrollBar();
      return 0;
    case WM_VSCROLL: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(hwnd_, SB_VERT, &info);
      scrollBy(LOWORD(w), info.nTrackPos);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      if (!scrolled_) break;
      UINT lines = 3;
      SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
      if (lines == WHEEL_PAGESCROLL) lines = static_cast<UINT>(std::max(1, viewHeight() / lineHeight()));
      wheelRest_ += GET_WHEEL_DELTA_WPARAM(w);
      const int notches = wheelRest_ / WHEEL_DELTA;
      wheelRest_ -= notches * WHEEL_DELTA;
      scrollTo(top_ - notches * static_cast<int>(lines) * lineHeight());
      return 0;
    }
    case WM_GETDLGCODE:
      return scrolled_ ? DLGC_WANTARROWS : 0;
    case WM_KEYDOWN:
      if (scrolled_ && scrollKey(w)) return 0;
      break;
    case WM_LBUTTONDOWN:
      press(l);
      return 0;
    case WM_SETCURSOR:
      if (cursor_ != nullptr && LOWORD(l) == HTCLIENT) {
        SetCursor(cursor_);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, message, w, l);
}

void ColumnView::paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  const RECT& area = ps.rcPaint;
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width > 0 && height > 0) {
    // Drawn off the screen first: columns repainted at every step of a command never flicker.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    SetViewportOrgEx(memory, -area.left, -area.top, nullptr);
    paintLines(memory, area);
    SetViewportOrgEx(memory, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
  }
  EndPaint(hwnd_, &ps);
}

void ColumnView::paintLines(HDC dc, const RECT& area) {
  HBRUSH background = CreateSolidBrush(controls_.background);
  FillRect(dc, &area, background);
  DeleteObject(background);
  HGDIOBJ oldFont = SelectObject(dc, controls_.font());
  SetBkMode(dc, TRANSPARENT);
  RECT client{};
  GetClientRect(hwnd_, &client);
  // A scroll box's columns are as tall as their rows; a bare column fills its window.
  const int bottom = scrolled_ ? lineTop(rows_) : client.bottom;
  int left = 0;
  for (const Column& column : columns_) {
    const int right = left + controls_.scale(column.width);
    const RECT box{std::max(left, static_cast<int>(area.left)), area.top,
                   std::min(right, static_cast<int>(area.right)),
                   std::min(bottom, static_cast<int>(area.bottom))};
    if (box.left < box.right && box.top < box.bottom) paintColumn(dc, column, box, left, right);
    left = right;
  }
  SelectObject(dc, oldFont);
}

// One column's field over `box` and its lines there.
void ColumnView::paintColumn(HDC dc, const Column& column, const RECT& box, int left,
                             int right) const {
  HBRUSH field = CreateSolidBrush(column.field);
  FillRect(dc, &box, field);
  DeleteObject(field);
  SetTextColor(dc, column.colour);
  const int rows = scrolled_ ? std::min(rows_, static_cast<int>(column.lines.size()))
                             : static_cast<int>(column.lines.size());
  // A bare column has a few lines: each is asked where it stands.
  const int first = scrolled_ ? std::max(0, (static_cast<int>(box.top) + top_) / lineHeight()) : 0;
  for (int line = first; line < rows; ++line) {
    RECT cell{left + controls_.scale(2), lineTop(line), right, lineTop(line + 1)};
    if (cell.top >= box.bottom) break;
    if (cell.bottom <= box.top) continue;
    const std::wstring& text = column.lines[static_cast<std::size_t>(line)];
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

}  // namespace kalmar::win32
