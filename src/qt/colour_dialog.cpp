#include "qt/colour_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "appearance/colour_commands.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(name);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

ColourDialog::ColourDialog(QWidget* parent, WindowLink& link)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), link_(link) {
  setObjectName("TForm2");
  setWindowTitle(QStringLiteral("Настройка цвета"));
  setModal(true);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  auto* quick = new QWidget(PageControl1);
  ComboBox1 = new QComboBox(quick);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->addItems({"Темная 1", "Темная 2", "Темная 3", "Светлая 1", "Светлая 2", "По умолчанию",
                       "Произвольная"});
  auto* quickLayout = new QVBoxLayout(quick);
  quickLayout->addWidget(ComboBox1);
  quickLayout->addStretch();
  PageControl1->addTab(quick, QStringLiteral("Быстрая"));

  auto* custom = new QWidget(PageControl1);
  auto* customLayout = new QHBoxLayout(custom);
  const char* names[3] = {"SpeedButton14", "SpeedButton15", "SpeedButton16"};
  const char* captions[3] = {"Цвет 1", "Цвет 2", "Цвет 3"};
  for (int role = 0; role < 3; ++role) {
    QPushButton* b = button(names[role], captions[role], custom);
    customLayout->addWidget(b);
    connect(b, &QPushButton::clicked, this, [this, role] {
      link_.input([role](TForm1& f) { form2::colourButtonClick(f, role); });
    });
  }
  PageControl1->addTab(custom, QStringLiteral("Произвольная"));

  auto* previewRow = new QHBoxLayout;
  const char* previewNames[3] = {"Edit1", "Edit2", "Edit7"};
  for (int i = 0; i < 3; ++i) {
    previews_[i] = new QLineEdit(this);
    previews_[i]->setObjectName(previewNames[i]);
    previews_[i]->setReadOnly(true);
    previews_[i]->setFocusPolicy(Qt::NoFocus);
    previews_[i]->setAutoFillBackground(true);
    previewRow->addWidget(previews_[i]);
  }
  auto* buttons = new QHBoxLayout;
  QPushButton* save = button("SpeedButton17", "Сохранить", this);
  QPushButton* cancel = button("SpeedButton18", "Отмена", this);
  buttons->addStretch();
  buttons->addWidget(save);
  buttons->addWidget(cancel);
  connect(save, &QPushButton::clicked, this, [this] { run(form2::SpeedButton17Click); });
  connect(cancel, &QPushButton::clicked, this, [this] { run(form2::SpeedButton18Click); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1);
  layout->addLayout(previewRow);
  layout->addLayout(buttons);
  setFixedSize(300, 190);

  connect(ComboBox1, qOverload<int>(&QComboBox::activated), this, [this](int index) {
    link_.input([index](TForm1& f) { form2::ComboBox1Change(f, index); });
  });
  connect(PageControl1, &QTabWidget::currentChanged, this, [this](int page) {
    link_.input([page](TForm1& f) { form2::PageControl1Change(f, page); });
  });
}

void ColourDialog::run(void (*handler)(TForm1&)) {
  link_.input(handler);
  if (!link_.form().window.colourDialog.Visible) accept();
}

void ColourDialog::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    run(form2::SpeedButton18Click);
    return;
  }
  QDialog::keyPressEvent(event);
}

void ColourDialog::showState(const WindowState& window) {
  const ColourDialogState& dialog = window.colourDialog;
  const QSignalBlocker pages(PageControl1);
  const QSignalBlocker list(ComboBox1);
  if (PageControl1->currentIndex() != dialog.PageIndex)
    PageControl1->setCurrentIndex(dialog.PageIndex);
  if (ComboBox1->currentIndex() != dialog.ComboBox1ItemIndex)
    ComboBox1->setCurrentIndex(dialog.ComboBox1ItemIndex);
  for (int i = 0; i < 3; ++i) {
    QPalette palette = previews_[i]->palette();
    palette.setColor(QPalette::Base, colourOf(dialog.previews[static_cast<std::size_t>(i)]));
    previews_[i]->setPalette(palette);
  }
}

}  // namespace kalmar::qt
