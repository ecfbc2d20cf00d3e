#include "qt/progress_line.h"

#include <QAccessible>
#include <QPainter>
#include <algorithm>

#include "desktop/accessible_names.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

ProgressLine::ProgressLine(const char* name, QWidget* parent) : QWidget(parent) {
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAccessibleName(qs(desktop::accessibleName("ProgressBar1")));
}

int ProgressLine::fillWidth(int value) const {
  return (width() - 2) * std::clamp(value, 0, kMaximum) / kMaximum;
}

void ProgressLine::setValue(int value) {
  if (value == value_) return;
  const int before = fillWidth(value_), after = fillWidth(value);
  value_ = value;
  // A screen reader reads the share done.
  setAccessibleDescription(QStringLiteral("%1 %").arg(std::min(100, value * 100 / kMaximum)));
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
  }
  if (before != after)
    update(1 + std::min(before, after), 1, std::abs(after - before), height() - 2);
}

void ProgressLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  painter.setPen(colours.color(QPalette::Mid));
  painter.setBrush(colours.color(QPalette::Base));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.fillRect(1, 1, fillWidth(value_), height() - 2, colours.color(QPalette::Highlight));
}

}  // namespace kalmar::qt
