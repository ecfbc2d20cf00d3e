#include "qt/about_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

#include "appearance/about_help.h"
#include "qt/icons.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

// A label that opens its link through the window's handler.
class LinkLabel : public QLabel {
 public:
  LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && onClick_) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

void paint(QLabel* label, std::uint32_t colour) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colourOf(colour));
  label->setPalette(palette);
}

}  // namespace

AboutBox::AboutBox(QWidget* parent, WindowLink& link)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("TForm3");
  setWindowTitle(QStringLiteral("О программе"));
  setModal(true);
  auto* icon = new QLabel(this);
  icon->setPixmap(programIcon().pixmap(41, 41));
  title_ = new QLabel(QStringLiteral("Kalmar"), this);
  title_->setObjectName("Label1");
  QFont serif(QStringLiteral("Garamond"));
  serif.setStyleHint(QFont::Serif);
  serif.setPixelSize(19);
  serif.setBold(true);
  title_->setFont(serif);
  version_ = new QLabel(QStringLiteral("версия 3.2  ( 2 декабря 2003 года )."), this);
  version_->setObjectName("Label2");
  text_ = new QLabel(QStringLiteral("Программа работает под Windows 9x, ME, \n"
                                    "NT, 2000 и XP;  предназначена для \n"
                                    "программирования микроконтроллеров\n"
                                    "PIC16F84, PIC16F84A, PIC16C84, PIC16F627, \n"
                                    "PIC12F627A, PIC16F628, PIC16F628A, \n"
                                    "PIC12F629 и PIC12F675 фирмы  "),
                     this);
  text_->setObjectName("Memo1");
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  Label3 = new LinkLabel(QStringLiteral("Microchip Technology."), this,
                         [&link] { link.input(form3::Label3Click); });
  Label3->setObjectName("Label3");
  QFont bold = Label3->font();
  bold.setBold(true);
  Label3->setFont(bold);
  Label3->setToolTip(QString::fromUtf8(kChipMakerSite));

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  layout->addWidget(title_, 0, 1);
  layout->addWidget(version_, 1, 1);
  layout->addWidget(text_, 2, 1);
  layout->addWidget(Label3, 3, 1);
  // The line above is the program's own; which build runs is said here.
  build_ = new QLabel(QStringLiteral("Эта сборка: Kalmar %1 для Linux.").arg(KALMAR_VERSION), this);
  build_->setObjectName("BuildVersion");
  layout->addWidget(build_, 4, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutBox::showState(const WindowState& window) {
  // A light scheme's pastel text gets a dark box, as in the main window.
  QPalette palette = QApplication::palette();
  if (isLight(colourOf(window.about.textColour)))
    palette.setColor(QPalette::Window, fieldFor(colourOf(window.about.textColour)).lighter(130));
  setPalette(palette);
  paint(title_, window.about.titleColour);
  paint(version_, window.about.textColour);
  paint(text_, window.about.textColour);
  paint(build_, window.about.textColour);
  paint(Label3, window.about.linkColour);
}

}  // namespace kalmar::qt
