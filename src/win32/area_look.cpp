#include "win32/area_look.h"

#include "desktop/colour_look.h"
#include "win32/controls.h"

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
