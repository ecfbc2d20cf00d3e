#include "qt/config_panels.h"

#include <QAbstractItemView>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "desktop/accessible_names.h"
#include "memory/config_word.h"
#include "qt/menus.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

template <typename Button>
void showSwitch(Button* button, const Switch& model, Switch& shown) {
  if (button == nullptr) return;
  if (model.Caption != shown.Caption) button->setText(qs(model.Caption));
  if (model.Hint != shown.Hint) button->setToolTip(qs(model.Hint));
  shown = model;
  if (button->isChecked() != model.Checked) {
    const bool blocked = button->blockSignals(true);
    button->setChecked(model.Checked);
    button->blockSignals(blocked);
  }
}

void showGroup(QGroupBox* box, const GroupBox& model, std::string& shownCaption) {
  if (model.Caption != shownCaption) {
    shownCaption = model.Caption;
    box->setTitle(qs(model.Caption));
  }
  setOwnVisible(box, model.Visible);
  setOwnEnabled(box, model.Enabled);
}

}  // namespace

ConfigPanels::ConfigPanels(QWidget* parent, WindowLink& link) {
  GroupBox5 = new QGroupBox(QStringLiteral("Конфигурация  3FFB"), parent);
  GroupBox5->setObjectName("GroupBox5");
  GroupBox7 = new QGroupBox(QStringLiteral("Конфигурация  3F18"), parent);
  GroupBox7->setObjectName("GroupBox7");
  buildFirstPanel(link);
  buildSecondPanel(link);
  buildSwitches(link);
  buildBgChooser(link);
  FieldPanel = new QGroupBox(parent);
  FieldPanel->setObjectName("FieldPanel");
  buildFieldPanel(link);
}

QRadioButton* ConfigPanels::radio(int n, QWidget* parent, const desktop::Rect& rect,
                                  WindowLink& link) {
  auto* button = new QRadioButton(parent);
  button->setObjectName(QStringLiteral("RadioButton%1").arg(n));
  button->setAutoExclusive(false);  // the window decides which one is on
  button->setGeometry(rectOf(rect));
  QObject::connect(button, &QRadioButton::clicked, button,
                   [&link, n] { link.input([n](TForm1& f) { userClickRadioButton(f, n); }); });
  radios[static_cast<std::size_t>(n)] = button;
  return button;
}

QCheckBox* ConfigPanels::check(int n, QWidget* parent, const desktop::Rect& rect,
                               WindowLink& link) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
  box->setGeometry(rectOf(rect));
  QObject::connect(box, &QCheckBox::clicked, box,
                   [&link, n] { link.input([n](TForm1& f) { userClickCheckBox(f, n); }); });
  checks[static_cast<std::size_t>(n)] = box;
  return box;
}

void ConfigPanels::buildFirstPanel(WindowLink& link) {
  Edit3 = new SourceBox("Edit3", GroupBox5);
  Edit3->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit3); }); };
  auto* oscillator = new QGroupBox(GroupBox5);
  oscillator->setObjectName("GroupBox6");
  oscillator->setGeometry(rectOf(desktop::kGroupBox6));
}

void ConfigPanels::buildSecondPanel(WindowLink& link) {
  Edit1 = new SourceBox("Edit1", GroupBox7);
  Edit1->onMouseUp = [&link] { link.input([](TForm1& f) { Edit3MouseUp(f.window.Edit1); }); };
  auto* oscillator = new QGroupBox(GroupBox7);
  oscillator->setObjectName("GroupBox10");
  oscillator->setGeometry(rectOf(desktop::kGroupBox10));
  auto* protection = new QGroupBox(QStringLiteral("Защита кода "), GroupBox7);
  protection->setObjectName("CodeProtectionGroup");
  protection->setGeometry(rectOf(desktop::kCodeProtectionGroup));
}

// Every switch where the shared layout puts it, in the group it names.
void ConfigPanels::buildSwitches(WindowLink& link) {
  for (const desktop::SwitchPlace& place : desktop::switchPlaces()) {
    const QString group = QString::fromUtf8(place.group);
    QWidget* parent = group == QLatin1String("GroupBox5")   ? GroupBox5
                      : group == QLatin1String("GroupBox7") ? GroupBox7
                                                            : nullptr;
    if (parent == nullptr) parent = GroupBox5->findChild<QWidget*>(group);
    if (parent == nullptr) parent = GroupBox7->findChild<QWidget*>(group);
    if (place.radio)
      radio(place.n, parent, place.rect, link);
    else
      check(place.n, parent, place.rect, link);
  }
}

void ConfigPanels::buildBgChooser(WindowLink& link) {
  Panel3 = new QFrame(GroupBox7);
  Panel3->setObjectName("Panel3");
  Panel3->setFrameStyle(QFrame::Box | QFrame::Plain);
  Panel3->setAutoFillBackground(true);
  Label1 = new QLabel(Panel3);
  Label1->setObjectName("Label1");
  Label1->setGeometry(3, 0, 78, 16);
  QFont small = Label1->font();
  small.setPixelSize(10);  // "BG - не менять" in the width of the switches' column
  Label1->setFont(small);
  QToolButton* arrow = pictureButton("SpeedButton14", "", Panel3, 81, 0);
  arrow->setAccessibleName(qs(desktop::accessibleName("SpeedButton14")));
  arrow->setFixedSize(16, 16);
  arrow->setIconSize(QSize(12, 12));
  QObject::connect(arrow, &QToolButton::clicked, arrow,
                   [&link] { link.input(SpeedButton14Click); });
  ListBox1 = new QListWidget(Panel3);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setAccessibleName(qs(desktop::accessibleName("ListBox1")));
  ListBox1->addItems({QStringLiteral("не менять"), QStringLiteral("00"), QStringLiteral("01"),
                      QStringLiteral("10"), QStringLiteral("11")});
  ListBox1->setGeometry(1, 16, 96, 70);
  QObject::connect(ListBox1, &QListWidget::itemClicked, ListBox1,
                   [this, &link](QListWidgetItem* item) {
                     const int row = ListBox1->row(item);
                     link.input([row](TForm1& f) { ListBox1Click(f, row); });
                   });
  Panel3->setGeometry(rectOf(desktop::bgChooserRect(BgChooserState::kClosedHeight)));  // over CheckBox10
}

namespace {

QLabel* fieldPanelLabel(const QString& name, QWidget* parent, const desktop::Rect& rect) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setGeometry(rectOf(rect));
  return label;
}

}  // namespace

ConfigPanels::~ConfigPanels() {
  for (const QMetaObject::Connection& connection : fieldConnections_) QObject::disconnect(connection);
}

void ConfigPanels::buildFieldPanel(WindowLink& link) {
  for (int word = 0; word < 2; ++word) {
    wordLabels_[static_cast<std::size_t>(word)] =
        fieldPanelLabel(QStringLiteral("ConfigWordLabel%1").arg(word + 1), FieldPanel,
                        desktop::configWordLabelRect(word));
    auto* edit = new QLineEdit(FieldPanel);
    edit->setObjectName(QStringLiteral("ConfigWord%1").arg(word + 1));
    edit->setGeometry(rectOf(desktop::configWordEditRect(word)));
    edit->setMaxLength(4);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,4}")), edit));
    fieldConnections_.push_back(
        QObject::connect(edit, &QLineEdit::textEdited, edit, [&link, word](const QString& text) {
          link.input([word, typed = text.toStdString()](TForm1& f) { ConfigWordChange(f, word, typed); });
        }));
    fieldConnections_.push_back(QObject::connect(edit, &QLineEdit::editingFinished, edit,
                                                 [&link] { link.input(ConfigWordEditDone); }));
    wordLabels_[static_cast<std::size_t>(word)]->setBuddy(edit);
    wordEdits_[static_cast<std::size_t>(word)] = edit;
  }
  calibrationLabel_ = fieldPanelLabel("CalibrationLabel", FieldPanel, desktop::calibrationLabelRect(1));
  calibrationEdit_ = new QLineEdit(FieldPanel);
  calibrationEdit_->setObjectName("CalibrationWord");
  calibrationEdit_->setReadOnly(true);
  calibrationEdit_->setGeometry(rectOf(desktop::calibrationEditRect(1)));
  for (int n = 0; n < FieldPanelState::kSlots; ++n) {
    QLabel* label = fieldPanelLabel(QStringLiteral("ConfigFieldLabel%1").arg(n + 1), FieldPanel,
                                    desktop::fieldLabelRect(n));
    auto* list = new QComboBox(FieldPanel);
    list->setObjectName(QStringLiteral("ConfigField%1").arg(n + 1));
    list->setGeometry(rectOf(desktop::fieldChoiceRect(n)));
    fieldConnections_.push_back(QObject::connect(list, &QComboBox::activated, list, [&link, n](int choice) {
      link.input([n, choice](TForm1& f) { ConfigFieldChange(f, n, choice); });
    }));
    label->setBuddy(list);
    fieldLabels_[static_cast<std::size_t>(n)] = label;
    fieldLists_[static_cast<std::size_t>(n)] = list;
  }
}

// The lists get their fields' settings, names and hints when the chip changes.
void ConfigPanels::showFieldChoices(const FieldPanelState& panel) {
  if (sameFieldLists(panel.fields, shownFields_) && shownWords_ == panel.words) return;
  shownFields_ = panel.fields;
  shownWords_ = panel.words;
  for (std::size_t n = 0; n < fieldLists_.size(); ++n) {
    QComboBox* list = fieldLists_[n];
    const bool used = n < panel.fields.size();
    setOwnVisible(list, used);
    setOwnVisible(fieldLabels_[n], used);
    const bool blocked = list->blockSignals(true);
    list->clear();
    if (used) {
      const FieldChooser& field = panel.fields[n];
      for (const std::string& choice : field.choices) list->addItem(qs(choice));
      list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 8);
      fieldLabels_[n]->setText(qs(field.name));
      fieldLabels_[n]->setToolTip(qs(field.hint));
      list->setToolTip(qs(field.hint));
      list->setAccessibleName(qs(desktop::fieldPanelName(panel, "ConfigField" + std::to_string(n + 1))));
    }
    list->blockSignals(blocked);
  }
  for (std::size_t word = 0; word < 2; ++word) {
    const bool used = static_cast<int>(word) < panel.words;
    setOwnVisible(wordLabels_[word], used);
    setOwnVisible(wordEdits_[word], used);
    wordLabels_[word]->setText(qs(panel.wordLabels[word]));
    wordEdits_[word]->setAccessibleName(
        qs(desktop::fieldPanelName(panel, "ConfigWord" + std::to_string(word + 1))));
  }
  calibrationLabel_->setGeometry(rectOf(desktop::calibrationLabelRect(panel.words)));
  calibrationEdit_->setGeometry(rectOf(desktop::calibrationEditRect(panel.words)));
  setOwnVisible(calibrationLabel_, panel.calibrationShown);
  setOwnVisible(calibrationEdit_, panel.calibrationShown);
  calibrationLabel_->setText(qs(panel.calibrationLabel));
  calibrationLabel_->setToolTip(qs(panel.calibrationHint));
  calibrationEdit_->setToolTip(qs(panel.calibrationHint));
  calibrationEdit_->setAccessibleName(qs(desktop::fieldPanelName(panel, "CalibrationWord")));
}

void ConfigPanels::showFieldPanel(const FieldPanelState& panel) {
  setOwnVisible(FieldPanel, panel.Visible);
  if (!panel.Visible) return;
  if (FieldPanel->title() != qs(panel.Caption)) FieldPanel->setTitle(qs(panel.Caption));
  showFieldChoices(panel);
  for (std::size_t word = 0; word < 2; ++word) {
    QLineEdit* edit = wordEdits_[word];
    const QString text = qs(panel.wordTexts[word]);
    if (edit->text() == text) continue;
    const int caret = edit->cursorPosition();  // typing goes on where it was
    edit->setText(text);
    edit->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
  }
  for (std::size_t n = 0; n < panel.fields.size() && n < fieldLists_.size(); ++n)
    if (fieldLists_[n]->currentIndex() != panel.fields[n].index) {
      const bool blocked = fieldLists_[n]->blockSignals(true);
      fieldLists_[n]->setCurrentIndex(panel.fields[n].index);
      fieldLists_[n]->blockSignals(blocked);
    }
  if (calibrationEdit_->text() != qs(panel.calibrationText))
    calibrationEdit_->setText(qs(panel.calibrationText));
}

void ConfigPanels::place(const Geometry& geometry) {
  GroupBox5->setGeometry(rectOf(geometry.configPanel));
  GroupBox7->setGeometry(rectOf(geometry.configPanel));
  FieldPanel->setGeometry(rectOf(geometry.configPanel));
}

void ConfigPanels::show(const WindowState& window) {
  showGroup(GroupBox5, window.GroupBox5, shownCaptions_[0]);
  showGroup(GroupBox7, window.GroupBox7, shownCaptions_[1]);
  Edit3->show(window.Edit3, 0);
  Edit1->show(window.Edit1, 0);
  paintText(Edit3, colourOf(window.colours.shown[0]));
  paintText(Edit1, colourOf(window.colours.shown[0]));
  for (std::size_t n = 1; n <= 12; ++n)
    showSwitch(radios[n], window.RadioButton[n], shownRadios_[n]);
  for (std::size_t n = 1; n <= 10; ++n) showSwitch(checks[n], window.CheckBox[n], shownChecks_[n]);

  showFieldPanel(window.fieldPanel);

  const BgChooserState& bg = window.bg;
  setOwnVisible(Panel3, bg.Panel3Visible);
  if (Panel3->height() != bg.Panel3Height) {
    Panel3->resize(Panel3->width(), bg.Panel3Height);
    Panel3->raise();
  }
  if (bg.Label1 != shownLabel_) {
    shownLabel_ = bg.Label1;
    Label1->setText(qs(bg.Label1));
    Label1->setToolTip(qs(bg.Label1Hint));
  }
  if (ListBox1->currentRow() != bg.ListBox1ItemIndex) {
    const bool blocked = ListBox1->blockSignals(true);
    ListBox1->setCurrentRow(bg.ListBox1ItemIndex);
    ListBox1->blockSignals(blocked);
  }
}

}  // namespace kalmar::qt
