#include "win32/status_area.h"

#include <commctrl.h>

#include <algorithm>

namespace kalmar::win32 {

StatusArea::StatusArea(HWND groups, HWND strip, Controls& controls) : controls_(controls) {
  ProgressBar1 = controls.make(PROGRESS_CLASSW, "ProgressBar1", "Ход выполнения",
                               WS_VISIBLE | PBS_SMOOTH, strip, {});
  SendMessageW(ProgressBar1, PBM_SETRANGE32, 0, kProgressMaximum);
  // Status lines as the system draws a status bar's panes: sunken, one line.
  const DWORD line = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_SUNKEN | SS_CENTERIMAGE;
  StatusBar1 = controls.make(L"STATIC", "StatusBar1", "", line, strip, {});
  StatusBar2 = controls.make(L"STATIC", "StatusBar2", "", line, strip, {});
  Panel2 = controls.make(L"STATIC", "Panel2", "Ждите. Идет выполнение.",
                         SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, groups, {},
                         WS_EX_DLGMODALFRAME);
  SendMessageW(Panel2, WM_SETFONT, reinterpret_cast<WPARAM>(controls.fontOf(13, true)), FALSE);
}

StatusArea::~StatusArea() {
  if (panelBrush_) DeleteObject(panelBrush_);
}

int StatusArea::top(const desktop::Geometry& geometry) {
  return std::max(geometry.GroupBox2.bottom(), geometry.GroupBox4.bottom());
}

void StatusArea::place(const desktop::Geometry& geometry) {
  const int stripTop = top(geometry);
  const auto inStrip = [stripTop](desktop::Rect rect) {
    rect.top -= stripTop;
    return rect;
  };
  controls_.place(ProgressBar1, inStrip(desktop::progressBarRect(geometry)));
  controls_.place(StatusBar1, inStrip(desktop::statusBar1Rect(geometry)));
  controls_.place(StatusBar2, inStrip(desktop::statusBar2Rect(geometry)));
}

void StatusArea::show(const WindowState& window) {
  if (window.ProgressBar1 != progress_) {
    progress_ = window.ProgressBar1;
    SendMessageW(ProgressBar1, PBM_SETPOS, static_cast<WPARAM>(progress_), 0);
  }
  if (window.StatusBar1 != shown1_) Controls::setText(StatusBar1, shown1_ = window.StatusBar1);
  if (window.StatusBar2 != shown2_) Controls::setText(StatusBar2, shown2_ = window.StatusBar2);
  const COLORREF background = window.colours.shown[0];
  if (panelBrush_ == nullptr || background != panelColour_) {
    if (panelBrush_) DeleteObject(panelBrush_);
    panelBrush_ = CreateSolidBrush(background);
    panelColour_ = background;
    InvalidateRect(Panel2, nullptr, TRUE);
  }
  if (window.Panel2Visible) {
    controls_.place(Panel2,
                    desktop::waitPanelRect(window.Panel2Left, window.Panel2Top, window.Width));
    SetWindowPos(Panel2, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  const bool wasVisible = IsWindowVisible(Panel2) != FALSE;
  setVisible(Panel2, window.Panel2Visible);
  if (window.Panel2Visible && !wasVisible) UpdateWindow(Panel2);
}

HBRUSH StatusArea::colourOf(HWND control, HDC dc) const {
  if (control != Panel2) return nullptr;
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, panelColour_);
  return panelBrush_;
}

}  // namespace kalmar::win32
