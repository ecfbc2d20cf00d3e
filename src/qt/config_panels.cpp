#include "qt/config_panels.h"

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

void ConfigPanels::place(const Geometry& geometry) {
  GroupBox5->setGeometry(rectOf(geometry.configPanel));
  GroupBox7->setGeometry(rectOf(geometry.configPanel));
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
