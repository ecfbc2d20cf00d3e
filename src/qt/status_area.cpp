#include "qt/status_area.h"

#include <QVBoxLayout>

#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

QLabel* statusLine(const char* name, QWidget* parent) {
  auto* line = new QLabel(parent);
  line->setObjectName(name);
  line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  line->setTextFormat(Qt::PlainText);
  return line;
}

void setTextIfChanged(QLabel* label, const std::string& text, std::string& shown) {
  if (text == shown) return;
  shown = text;
  label->setText(qs(text));
}

}  // namespace

StatusArea::StatusArea(QWidget* client) {
  ProgressBar1 = new ProgressLine("ProgressBar1", client);
  StatusBar1 = statusLine("StatusBar1", client);
  StatusBar2 = statusLine("StatusBar2", client);

  Panel2 = new QFrame(client);
  Panel2->setObjectName("Panel2");
  Panel2->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel2->setLineWidth(2);
  Panel2->setAutoFillBackground(true);
  Label3 = new QLabel(QStringLiteral("Ждите. Идет выполнение."), Panel2);
  Label3->setObjectName("Label3");
  Label3->setAlignment(Qt::AlignCenter);
  QFont font = Label3->font();
  font.setBold(true);
  font.setPixelSize(13);
  Label3->setFont(font);
  auto* layout = new QVBoxLayout(Panel2);
  layout->addWidget(Label3);
  Panel2->hide();
}

void StatusArea::place(const Geometry& geometry) {
  ProgressBar1->setGeometry(rectOf(desktop::progressBarRect(geometry)));
  StatusBar1->setGeometry(rectOf(desktop::statusBar1Rect(geometry)));
  StatusBar2->setGeometry(rectOf(desktop::statusBar2Rect(geometry)));
}

void StatusArea::show(const WindowState& window) {
  ProgressBar1->setValue(window.ProgressBar1);
  setTextIfChanged(StatusBar1, window.StatusBar1, shown1_);
  setTextIfChanged(StatusBar2, window.StatusBar2, shown2_);

  const QColor background = colourOf(window.colours.shown[0]);
  if (Panel2->palette().color(QPalette::Window) != background) {
    QPalette palette = Panel2->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, Qt::white);
    Panel2->setPalette(palette);
  }
  if (window.Panel2Visible) {
    Panel2->setGeometry(
        rectOf(desktop::waitPanelRect(window.Panel2Left, window.Panel2Top, window.Width)));
    Panel2->raise();
  }
  setOwnVisible(Panel2, window.Panel2Visible);
}

}  // namespace kalmar::qt
