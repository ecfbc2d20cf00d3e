#include "win32/scrolled_client.h"

#include <algorithm>

namespace kalmar::win32 {

ScrolledClient::ScrolledClient(HWND window, DWORD style, DWORD exStyle, Controls& controls,
                               std::optional<RECT> workArea)
    : window_(window), style_(style), exStyle_(exStyle), controls_(controls), workArea_(workArea) {
  groups_ = controls.makePanel("Commands", "", false, window, {0, 0, desktop::kClientWidth, 400});
  strip_ = controls.makePanel("", "", false, window, {0, 400, desktop::kClientWidth, 0});
  // Over the groups where they scroll under it.
  SetWindowPos(strip_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

RECT ScrolledClient::workArea() const {
  if (workArea_) return *workArea_;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor))
    return monitor.rcWork;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

int ScrolledClient::clientHeight() const {
  RECT client{};
  GetClientRect(window_, &client);
  return client.bottom;
}

int ScrolledClient::stripHeight() const {
  return controls_.scale(height_) - controls_.scale(stripTop_);
}

int ScrolledClient::viewHeight() const {
  return std::max(0, clientHeight() - stripHeight());
}

void ScrolledClient::fit(int height, int stripTop) {
  height_ = height;
  stripTop_ = stripTop;
  const int content = controls_.scale(height);
  RECT frame{0, 0, controls_.scale(desktop::kClientWidth), content};
  AdjustWindowRectEx(&frame, style_, TRUE, exStyle_);
  SIZE outer{frame.right - frame.left, frame.bottom - frame.top};
  const RECT work = workArea();
  ShowScrollBar(window_, SB_VERT, FALSE);
  resize(outer, work);
  // The menu bar may wrap on a narrow font: make the client area whole again.
  outer.cy += std::max(0, content - clientHeight());
  scrolls_ = outer.cy > work.bottom - work.top;
  if (scrolls_) {
    outer.cx += GetSystemMetrics(SM_CXVSCROLL);
    outer.cy = work.bottom - work.top;
    ShowScrollBar(window_, SB_VERT, TRUE);
  }
  resize(outer, work);
  layout();
}

// The window at this size, moved where it would pass the work area's edges.
void ScrolledClient::resize(SIZE outer, const RECT& work) {
  RECT box{};
  GetWindowRect(window_, &box);
  const LONG left = std::clamp(box.left, work.left, std::max(work.left, work.right - outer.cx));
  const LONG top = std::clamp(box.top, work.top, std::max(work.top, work.bottom - outer.cy));
  const UINT move = IsIconic(window_) ? SWP_NOMOVE : 0;
  SetWindowPos(window_, nullptr, left, top, outer.cx, outer.cy,
               move | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrolledClient::layout() {
  const int width = controls_.scale(desktop::kClientWidth);
  const int top = controls_.scale(stripTop_), strip = stripHeight();
  const int view = viewHeight();
  position_ = scrolls_ ? std::clamp(position_, 0, std::max(0, top - view)) : 0;
  SetWindowPos(groups_, nullptr, 0, -position_, width, top, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(strip_, nullptr, 0, scrolls_ ? clientHeight() - strip : top, width, strip,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (!scrolls_) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = top - 1;
  info.nPage = static_cast<UINT>(view);
  info.nPos = position_;
  SetScrollInfo(window_, SB_VERT, &info, TRUE);
}

void ScrolledClient::scrollTo(int position) {
  if (position == position_) return;
  position_ = position;
  layout();
}

void ScrolledClient::scroll(int code) {
  if (!scrolls_) return;
  const int line = controls_.scale(desktop::kLineHeight);
  const int page = std::max(line, viewHeight() - line);
  switch (code) {
    case SB_LINEUP:
      scrollTo(position_ - line);
      break;
    case SB_LINEDOWN:
      scrollTo(position_ + line);
      break;
    case SB_PAGEUP:
      scrollTo(position_ - page);
      break;
    case SB_PAGEDOWN:
      scrollTo(position_ + page);
      break;
    case SB_TOP:
      scrollTo(0);
      break;
    case SB_BOTTOM:
      scrollTo(controls_.scale(stripTop_));
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(window_, SB_VERT, &info);
      scrollTo(info.nTrackPos);
      break;
    }
    default:
      break;
  }
}

void ScrolledClient::wheel(int delta) {
  if (!scrolls_) return;
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const int step = lines == WHEEL_PAGESCROLL
                       ? viewHeight()
                       : static_cast<int>(lines) * controls_.scale(desktop::kLineHeight);
  wheelRest_ += delta;
  const int notches = wheelRest_ / WHEEL_DELTA;
  wheelRest_ -= notches * WHEEL_DELTA;
  if (notches != 0) scrollTo(position_ - notches * step);
}

// Its top comes first where the control is taller than the view.
void ScrolledClient::keepInView(HWND control) {
  if (!scrolls_ || control == nullptr || !IsChild(groups_, control)) return;
  RECT box{};
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, groups_, reinterpret_cast<POINT*>(&box), 2);
  // The groups' own pixels from here: where the view starts is position_.
  const int view = viewHeight();
  if (box.top < position_)
    scrollTo(box.top);
  else if (box.bottom > position_ + view)
    scrollTo(std::min<int>(box.top, box.bottom - view));
}

}  // namespace kalmar::win32
