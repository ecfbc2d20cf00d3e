#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <array>
#include <vector>

#include "qt/layout.h"
#include "qt/source_box.h"
#include "qt/window_link.h"

namespace kalmar::qt {

// The two configuration panels: GroupBox5 of the PIC16x84 (oscillator
// group GroupBox6, RadioButton1..4, CheckBox1..3, Edit3) and GroupBox7 of
// the others (oscillator group GroupBox10, RadioButton5..12, CheckBox4..10,
// Edit1), with the BG chooser Panel3 of the PIC12F629/675: the label
// Label1, the arrow SpeedButton14 and the list ListBox1, which drops down
// over the panel. The chips added later have FieldPanel instead: each
// configuration word's box (ConfigWord1, ConfigWord2, beside their labels),
// the calibration word's read-only box (CalibrationWord), and a list a field
// (ConfigField1.., each after its name ConfigFieldLabel1..).
class ConfigPanels {
 public:
  ConfigPanels(QWidget* parent, WindowLink& link);
  // The widgets outlive this (their parent deletes them): a box losing the
  // focus as the window closes tells nobody.
  ~ConfigPanels();
  ConfigPanels(const ConfigPanels&) = delete;
  ConfigPanels& operator=(const ConfigPanels&) = delete;
  QGroupBox* GroupBox5;
  QGroupBox* GroupBox7;
  QListWidget* ListBox1;
  QGroupBox* FieldPanel;
  void place(const Geometry& geometry);
  void show(const WindowState& window);

 private:
  void buildFirstPanel(WindowLink& link);
  void buildSecondPanel(WindowLink& link);
  void buildBgChooser(WindowLink& link);
  QRadioButton* radio(int n, QWidget* parent, const desktop::Rect& rect, WindowLink& link);
  QCheckBox* check(int n, QWidget* parent, const desktop::Rect& rect, WindowLink& link);
  void buildSwitches(WindowLink& link);
  void buildFieldPanel(WindowLink& link);
  void showFieldPanel(const FieldPanelState& panel);
  void showFieldChoices(const FieldPanelState& panel);

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

  std::array<QLabel*, 2> wordLabels_{};
  std::array<QLineEdit*, 2> wordEdits_{};
  QLabel* calibrationLabel_ = nullptr;
  QLineEdit* calibrationEdit_ = nullptr;
  std::array<QLabel*, FieldPanelState::kSlots> fieldLabels_{};
  std::array<QComboBox*, FieldPanelState::kSlots> fieldLists_{};
  // The fields whose lists hold their settings now (refilled on another chip).
  std::vector<FieldChooser> shownFields_;
  int shownWords_ = -1;
  std::vector<QMetaObject::Connection> fieldConnections_;
};

}  // namespace kalmar::qt
