#pragma once

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <array>

#include "qt/layout.h"
#include "qt/source_box.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// The two configuration panels: GroupBox5 of the PIC16x84 (oscillator
// group GroupBox6, RadioButton1..4, CheckBox1..3, Edit3) and GroupBox7 of
// the others (oscillator group GroupBox10, RadioButton5..12, CheckBox4..10,
// Edit1), with the BG chooser Panel3 of the PIC12F629/675: the label
// Label1, the arrow SpeedButton14 and the list ListBox1, which drops down
// over the panel.
class ConfigPanels {
 public:
  ConfigPanels(QWidget* parent, WindowLink& link);
  QGroupBox* GroupBox5;
  QGroupBox* GroupBox7;
  QListWidget* ListBox1;
  void place(const Geometry& geometry);
  void show(const WindowState& window);

 private:
  void buildFirstPanel(WindowLink& link);
  void buildSecondPanel(WindowLink& link);
  void buildBgChooser(WindowLink& link);
  QRadioButton* radio(int n, QWidget* parent, const desktop::Rect& rect, WindowLink& link);
  QCheckBox* check(int n, QWidget* parent, const desktop::Rect& rect, WindowLink& link);
  void buildSwitches(WindowLink& link);

  SourceBox* Edit3;
  SourceBox* Edit1;
  QFrame* Panel3;
  QLabel* Label1;
  std::array<QRadioButton*, 13> radios{};  // 1..12
  std::array<QCheckBox*, 11> checks{};     // 1..10
  // What the widgets show now, so that an unchanged state costs no Qt call.
  std::array<Switch, 13> shownRadios_;
  std::array<Switch, 11> shownChecks_;
  std::array<std::string, 2> shownCaptions_;
  std::string shownLabel_;
};

}  // namespace kalmar::qt
