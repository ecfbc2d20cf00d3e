// The window on Windows at 125 % and 150 %: the data rows' labels level with
// their cells, and a window taller than the screen's work area kept within
// it, its status lines in view and its groups scrolled to.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "win32/window_rig.h"

namespace kalmar::win32 {
namespace {

// Shorter than the PIC16F648A's window at 150 % (and within Xvfb's screen).
constexpr RECT kWorkArea{0, 0, 1024, 740};

// A control's rectangle in the client pixels of `to`.
RECT placeIn(HWND control, HWND to) {
  RECT box{};
  GetWindowRect(control, &box);
  MapWindowPoints(nullptr, to, reinterpret_cast<POINT*>(&box), 2);
  return box;
}

// The runs of pixel rows with ink in a window's own drawing (each a line
// of text), as first and last row: the window draws itself into a bitmap.
std::vector<std::pair<int, int>> inkedRows(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < height; ++y) {
    const std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
    bool inked = false;
    for (int x = 1; x < width && !inked; ++x) inked = row[x] != row[0];  // row[0]: the field
    if (!inked) continue;
    if (!runs.empty() && runs.back().second == y - 1)
      runs.back().second = y;
    else
      runs.emplace_back(y, y);
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return runs;
}

// The labels 00..F8 of the 32 data rows are drawn level with their rows'
// cells: each label's middle within a pixel or two of its cells' middle.
TEST(Win32Scale, DataRowLabelsStayLevelWithTheirCells) {
  for (const int dpi : {120, 144}) {
    SCOPED_TRACE(dpi);
    WindowRig rig("PIC16F648A", true, {}, ScreenMetrics{dpi, kWorkArea});
    rig.menu({"Настройка", "Микроконтроллер", "PIC16F648A"});
    HWND labels = rig.control("Memo23");
    const auto runs = inkedRows(labels);
    ASSERT_EQ(runs.size(), 32u);
    for (int row = 0; row < 32; ++row) {
      const std::string cell = "MaskEdit" + std::to_string(row * 8 + 1);
      const RECT box = placeIn(rig.control(cell.c_str()), labels);
      const int label = runs[static_cast<std::size_t>(row)].first +
                        runs[static_cast<std::size_t>(row)].second + 1;  // twice the middle
      EXPECT_LE(std::abs(label - static_cast<int>(box.top + box.bottom)), 4) << "row " << row;
    }
  }
}

// At 150 % the PIC16F648A's window is taller than the work area: it keeps
// within it, its progress bar and status lines stay in view, the scroll bar
// reaches the last data row above them, the wheel over a cell scrolls, and
// a cell the keyboard moves to comes into view.
TEST(Win32Scale, AWindowTallerThanTheWorkAreaKeepsItsStatusLinesInView) {
  WindowRig rig("PIC16F648A", true, {}, ScreenMetrics{144, kWorkArea});
  rig.menu({"Настройка", "Микроконтроллер", "PIC16F648A"});
  HWND window = rig.window->window();
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  EXPECT_GE(frame.top, kWorkArea.top);
  EXPECT_LE(frame.bottom, kWorkArea.bottom);
  const RECT progress = placeIn(rig.control("ProgressBar1"), window);
  const RECT status = placeIn(rig.control("StatusBar1"), window);
  EXPECT_GE(progress.top, 0);
  EXPECT_LE(status.bottom, client.bottom);

  HWND last = rig.control("MaskEdit256");
  EXPECT_GT(placeIn(last, window).bottom, progress.top);  // under the status lines at first
  SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
  EXPECT_LE(placeIn(last, window).bottom, progress.top);
  EXPECT_EQ(placeIn(rig.control("StatusBar1"), window).bottom, status.bottom);

  SendMessageW(window, WM_VSCROLL, SB_TOP, 0);
  HWND cell = rig.control("MaskEdit9");
  const RECT before = placeIn(cell, window);
  RECT onScreen{};
  GetWindowRect(cell, &onScreen);
  SendMessageW(rig.control("GroupBox4"), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
               MAKELPARAM(onScreen.left + 3, onScreen.top + 3));  // a notch down over a cell
  EXPECT_LT(placeIn(cell, window).top, before.top);

  SendMessageW(window, WM_VSCROLL, SB_TOP, 0);
  SetFocus(rig.control("MaskEdit255"));
  PostMessageW(rig.control("MaskEdit255"), WM_KEYDOWN, VK_TAB, 1);
  rig.settle();
  ASSERT_EQ(GetFocus(), last);
  EXPECT_LE(placeIn(last, window).bottom, progress.top);
}

}  // namespace
}  // namespace kalmar::win32
