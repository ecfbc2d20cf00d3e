#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

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
// handlers, which decide what each shows. The chips added later have
// FieldPanel instead: each configuration word's box (ConfigWord1,
// ConfigWord2, after their labels), the calibration word's read-only box
// (CalibrationWord), and a drop-down list a field (ConfigField1.., each
// after its name ConfigFieldLabel1.., which Active Accessibility reads as
// the list's name).
class ConfigPanels {
 public:
  ConfigPanels(HWND area, WindowLink& link);
  ~ConfigPanels();
  ConfigPanels(const ConfigPanels&) = delete;
  ConfigPanels& operator=(const ConfigPanels&) = delete;

  HWND GroupBox5;
  HWND GroupBox7;
  HWND FieldPanel;
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
  void buildFieldPanel(WindowLink& link);
  void showFieldPanel(const FieldPanelState& panel);
  void showFieldChoices(const FieldPanelState& panel);

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

  std::array<HWND, 2> wordLabels_{};
  std::array<HWND, 2> wordEdits_{};
  HWND calibrationLabel_ = nullptr;
  HWND calibrationEdit_ = nullptr;
  std::array<HWND, FieldPanelState::kSlots> fieldLabels_{};
  std::array<HWND, FieldPanelState::kSlots> fieldLists_{};
  std::array<int, FieldPanelState::kSlots> shownChoices_{};
  // The fields whose lists hold their settings now (refilled on another chip).
  std::vector<FieldChooser> shownFields_;
  int shownWords_ = -1;
  bool showingWord_ = false;  // a word's box set by the window, not typed
  FieldBrushes brushes_;
};

}  // namespace kalmar::win32
