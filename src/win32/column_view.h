#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "win32/controls.h"

namespace kalmar::win32 {

// Read-only columns of text lines side by side, one line height each, as
// the program memory and listing views show them in a scroll box with one
// vertical scroll bar (the columns scroll together), and as the listing's
// footnote and the data memory's row labels show one column. Only the
// lines in view are drawn, so columns of 4096 lines update cheaply while a
// command runs. A window class of the program's own.
class ColumnView {
 public:
  // scrolled: a framed scroll box with its scroll bar always there, which
  // takes the focus on a click and scrolls by the keys too; otherwise a bare
  // column that gives a click's focus to `focusTarget` (its group).
  ColumnView(Controls& controls, const std::string& name, HWND parent, const desktop::Rect& rect,
             bool scrolled, HWND focusTarget = nullptr);
  ~ColumnView();
  ColumnView(const ColumnView&) = delete;
  ColumnView& operator=(const ColumnView&) = delete;

  HWND hwnd() const { return hwnd_; }
  // A column at the right of the others, `width` 96-DPI pixels wide; its index.
  int addColumn(int width);
  // Lines separated by CR LF (a trailing CR LF ends the last line).
  void setText(int column, const std::string& text);
  void setLines(int column, const std::vector<std::string>& lines);
  void setLines(int column, const std::string* lines, std::size_t count);
  void setWidth(int column, int width);
  // The text colour (00BBGGRR); the field under it follows (desktop::fieldFor).
  void setTextColour(int column, std::uint32_t colour);
  // The columns show this many lines: the scrolled height follows.
  void setRowsShown(int rows);
  int rowsShown() const { return rows_; }
  // The mouse pointer over the view (a hand over a footnote that opens).
  void setCursor(HCURSOR cursor) { cursor_ = cursor; }
  // A left press on a column's lines.
  std::function<void()> onClick;

 private:
  struct Column {
    int width = 0;
    std::vector<std::wstring> lines;
    std::string text;                 // as given to setText
    std::vector<std::string> source;  // as given to setLines
    COLORREF colour = RGB(0, 0, 0);
    COLORREF field = RGB(255, 255, 255);
  };
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM w, LPARAM l);
  LRESULT handle(UINT message, WPARAM w, LPARAM l);
  void paint();
  void paintLines(HDC dc, const RECT& area);
  void press(LPARAM l);
  void scrollTo(int position);
  void scrollBy(int code, int thumb);
  bool scrollKey(WPARAM key);
  void updateScrollBar();
  void invalidateColumn(int column);
  void replaceLines(int column, std::vector<std::wstring> lines);
  int lineHeight() const;
  // Where a line starts in the view's client area.
  int lineTop(int line) const;
  int viewHeight() const;
  void paintColumn(HDC dc, const Column& column, const RECT& box, int left, int right) const;

  Controls& controls_;
  HWND hwnd_ = nullptr;
  HWND focusTarget_ = nullptr;
  bool scrolled_ = false;
  std::vector<Column> columns_;
  int rows_ = 0;
  int top_ = 0;     // the scrolled-off height, in device pixels
  int origin_ = 0;  // a bare column's top in its parent, in 96-DPI pixels
  int wheelRest_ = 0;
  HCURSOR cursor_ = nullptr;
};

}  // namespace kalmar::win32
