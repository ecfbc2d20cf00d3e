#include "qt/message_box.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace kalmar::qt {

namespace {

constexpr int kTitleBarExtra = 140;  // the title bar's icon, buttons and margins

QLabel* iconLabel(QWidget* parent, MessageIcon icon) {
  QStyle::StandardPixmap pixmap = QStyle::SP_MessageBoxInformation;
  switch (icon) {
    case MessageIcon::Error:
      pixmap = QStyle::SP_MessageBoxCritical;
      break;
    case MessageIcon::Warning:
      pixmap = QStyle::SP_MessageBoxWarning;
      break;
    case MessageIcon::Information:
      break;
    case MessageIcon::None:
      return nullptr;
  }
  auto* label = new QLabel(parent);
  const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
  label->setPixmap(parent->style()->standardIcon(pixmap).pixmap(size, size));
  label->setAlignment(Qt::AlignTop);
  return label;
}

}  // namespace

MessageDialog::MessageDialog(QWidget* parent, const QString& caption, const QString& text,
                             MessageIcon icon, MessageButtons buttons)
    : QDialog(parent), buttons_(buttons), label_(new QLabel(text, this)) {
  setWindowTitle(caption);
  setObjectName(QStringLiteral("MessageBox"));
  label_->setObjectName(QStringLiteral("MessageText"));
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(false);
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* layout = new QGridLayout(this);
  if (QLabel* picture = iconLabel(this, icon)) layout->addWidget(picture, 0, 0);
  layout->addWidget(label_, 0, 1, Qt::AlignLeft | Qt::AlignTop);
  layout->setColumnStretch(1, 1);
  layout->setHorizontalSpacing(16);
  auto* box = new QDialogButtonBox(this);
  const bool yesNo = buttons == MessageButtons::YesNo;
  first_ = box->addButton(yesNo ? QStringLiteral("Да") : QStringLiteral("OK"),
                          QDialogButtonBox::AcceptRole);
  if (buttons != MessageButtons::Ok)
    box->addButton(yesNo ? QStringLiteral("Нет") : QStringLiteral("Отмена"),
                   QDialogButtonBox::RejectRole);
  first_->setDefault(true);
  connect(box, &QDialogButtonBox::clicked, this, [this](QAbstractButton* button) {
    chosen_ = static_cast<QPushButton*>(button);
    done(button == first_ ? Accepted : Rejected);
  });
  layout->addWidget(box, 1, 0, 1, 2);
  fitCaption(caption);
}

// The title is drawn by the window manager in a font of its own, often
// larger and bolder than the window's, and it cuts what does not fit.
void MessageDialog::fitCaption(const QString& caption) {
  QFont bold = QFontDatabase::systemFont(QFontDatabase::TitleFont);
  if (bold.pointSizeF() < font().pointSizeF()) bold.setPointSizeF(font().pointSizeF());
  bold.setBold(true);
  int width = QFontMetrics(bold).horizontalAdvance(caption) * 11 / 10 + kTitleBarExtra;
  if (const QScreen* shown = screen()) width = std::min(width, shown->availableGeometry().width());
  setMinimumWidth(std::max(width, layout()->minimumSize().width()));
  resize(minimumWidth(), sizeHint().height());
}

MessageResult MessageDialog::ask() {
  const bool accepted = exec() == Accepted;
  const bool firstChosen = buttons_ == MessageButtons::Ok || (accepted && chosen_ == first_);
  if (buttons_ == MessageButtons::YesNo)
    return firstChosen ? MessageResult::Yes : MessageResult::No;
  return firstChosen ? MessageResult::Ok : MessageResult::Cancel;
}

}  // namespace kalmar::qt
