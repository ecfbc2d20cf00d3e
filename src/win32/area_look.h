#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <map>

namespace kalmar::win32 {

// The fields' brushes of the areas' edit controls: a text colour
// (00BBGGRR, as the window state keeps it) on the field desktop::fieldFor
// gives it, as the Qt window paints its line edits.
class FieldBrushes {
 public:
  FieldBrushes() = default;
  ~FieldBrushes();
  FieldBrushes(const FieldBrushes&) = delete;
  FieldBrushes& operator=(const FieldBrushes&) = delete;

  // Sets the text and field colours into `dc`; the field's brush.
  HBRUSH paint(HDC dc, std::uint32_t text);
  HBRUSH brush(COLORREF colour);

 private:
  std::map<COLORREF, HBRUSH> brushes_;
};

// A group's enabled flag, and its contents' with it: a disabled group greys
// what it holds, as the Qt window's groups do.
void setGroupEnabled(HWND group, bool enabled, std::initializer_list<HWND> contents);
// A push button that never takes the keyboard focus, as the speed buttons
// of the Qt window: it follows the mouse itself and tells its parent
// BN_CLICKED when released over it (BM_CLICK too), so a cell keeps the
// focus, its caret and its selection through a click on the button.
void keepFocusAway(HWND button);
// A control over its overlapping siblings (a group laid over another, a
// footnote grown over its columns).
void raise(HWND control);

}  // namespace kalmar::win32
