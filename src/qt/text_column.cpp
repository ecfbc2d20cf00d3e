#include "qt/text_column.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "desktop/layout.h"
#include "model/window_state.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

TextColumn::TextColumn(const char* name, QWidget* parent)
    : QWidget(parent), colour_(Qt::black), background_(Qt::white) {
  setObjectName(name);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

int TextColumn::lineHeight() {
  return desktop::kLineHeight;
}

void TextColumn::setText(const std::string& text) {
  if (text == text_ && !text.empty()) return;
  text_ = text;
  lines_ = columnLines(text);
  update();
}

void TextColumn::setLines(const std::vector<std::string>& lines) {
  if (lines == lines_) return;
  lines_ = lines;
  text_.clear();
  update();
}

void TextColumn::setRowsShown(int rows) {
  if (rows == rows_) return;
  rows_ = rows;
  setFixedHeight(rows * lineHeight());
}

void TextColumn::setTextColour(const QColor& colour) {
  if (colour == colour_) return;
  colour_ = colour;
  background_ = fieldFor(colour);
  update();
}

void TextColumn::setBackground(const QColor& colour) {
  if (colour == background_) return;
  background_ = colour;
  update();
}

void TextColumn::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  painter.fillRect(area, background_);
  painter.setPen(colour_);
  painter.setFont(font());
  const int height = lineHeight();
  const int first = std::max(0, area.top() / height);
  const int last = std::min(static_cast<int>(lines_.size()) - 1, area.bottom() / height);
  for (int line = first; line <= last; ++line) {
    const QRect box(2, line * height, width() - 2, height);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter,
                     qs(lines_[static_cast<std::size_t>(line)]));
  }
}

void TextColumn::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick) onClick();
  QWidget::mousePressEvent(event);
}

}  // namespace kalmar::qt
