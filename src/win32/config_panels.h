#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "desktop/layout.h"
#include "win32/area_look.h"
#include "win32/source_box.h"
#include "win32/subclassed.h"
#include "win32/window_link.h"

namespace kalmar::win32 {

// The two configuration panels: GroupBox5 of the PIC16x84 (oscillator
// group GroupBox6, RadioButton1..4, CheckBox1..3, Edit3) and GroupBox7 of
// the others (oscillator group GroupBox10, RadioButton5..12, CheckBox4..10,
// the group "Защита кода " with CheckBox8 and CheckBox9, Edit1), with the BG
// chooser Panel3 of the PIC12F629/675: the label Label1, the arrow
// SpeedButton14 and the list ListBox1, which drops down over the panel.
// The switches never change by themselves: a click goes to the window's
// handlers, which decide what each shows.
class ConfigPanels {
 public:
  ConfigPanels(HWND area, WindowLink& link);
  ~ConfigPanels();
  ConfigPanels(const ConfigPanels&) = delete;
  ConfigPanels& operator=(const ConfigPanels&) = delete;

  HWND GroupBox5;
  HWND GroupBox7;
  void place(const desktop::Geometry& geometry);
  void show(const WindowState& window);
  // The colours of Edit3 and Edit1; null for a control not of this area.
  HBRUSH colourOf(HWND control, HDC dc, const WindowState& window);
  // A press on the open BG list (which the window's press hook leaves open).
  bool isOnBgList(HWND control) const;

 private:
  class BgList;
  void buildFirstPanel(WindowLink& link);
  void buildSecondPanel(WindowLink& link);
  void buildBgChooser(WindowLink& link);
  HWND radio(int n, HWND parent, const desktop::Rect& rect, WindowLink& link);
  HWND check(int n, HWND parent, const desktop::Rect& rect, WindowLink& link);
  void buildSwitches(WindowLink& link);

  Controls& controls_;
  std::unique_ptr<SourceBox> Edit3;
  std::unique_ptr<SourceBox> Edit1;
  HWND Panel3 = nullptr;
  HWND Label1 = nullptr;
  HWND SpeedButton14 = nullptr;
  std::unique_ptr<BgList> ListBox1;
  HICON arrow_ = nullptr;
  std::array<HWND, 13> radios{};  // 1..12
  std::array<HWND, 11> checks{};  // 1..10
  // What the controls show now, so that an unchanged state costs no call.
  std::array<Switch, 13> shownRadios_;
  std::array<Switch, 11> shownChecks_;
  std::array<std::string, 2> shownCaptions_;
  std::string shownLabel_;
  int panel3Height_ = BgChooserState::kClosedHeight;
  FieldBrushes brushes_;
};

}  // namespace kalmar::win32
