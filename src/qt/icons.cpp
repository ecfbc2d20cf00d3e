#include "qt/icons.h"

#include <map>

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kalmar::qt {

namespace {

constexpr int kSize = 32;  // drawn at twice the button's size, scaled down smoothly

const QColor kInk(40, 40, 40);
const QColor kChip(60, 60, 70);
const QColor kPin(170, 170, 170);
const QColor kRead(30, 120, 200);
const QColor kWrite(200, 60, 40);
const QColor kGood(40, 150, 60);
const QColor kPaper(250, 250, 240);
const QColor kFolder(230, 180, 60);

void chip(QPainter& p, int left, int top, int width, int height) {
  p.setPen(QPen(kPin, 2));
  for (int y = top + 4; y < top + height - 2; y += 5) {
    p.drawLine(left - 3, y, left, y);
    p.drawLine(left + width, y, left + width + 3, y);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(kChip);
  p.drawRoundedRect(left, top, width, height, 2, 2);
  p.setBrush(kPin);
  p.drawEllipse(left + 3, top + 3, 4, 4);
}

void arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(from, to);
  const QPointF d = (to - from) / std::max(1.0, std::hypot((to - from).x(), (to - from).y()));
  const QPointF n(-d.y(), d.x());
  QPainterPath head;
  head.moveTo(to + d * 3);
  head.lineTo(to - d * 5 + n * 5);
  head.lineTo(to - d * 5 - n * 5);
  head.closeSubpath();
  p.setPen(Qt::NoPen);
  p.fillPath(head, colour);
}

void tick(QPainter& p, const QColor& colour) {
  p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF({QPointF(15, 22), QPointF(21, 28), QPointF(30, 14)}));
}

void page(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kPaper);
  p.drawRect(6, 3, 20, 26);
  p.setPen(QPen(kRead, 2));
  for (int y = 9; y <= 24; y += 5) p.drawLine(10, y, y % 2 ? 22 : 18, y);
}

void folder(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kFolder.darker(115));
  p.drawRect(3, 8, 12, 6);
  p.setBrush(kFolder);
  p.drawRect(3, 11, 26, 17);
}

void disk(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(50, 80, 160));
  p.drawRoundedRect(4, 4, 24, 24, 2, 2);
  p.setBrush(kPaper);
  p.drawRect(9, 5, 14, 9);
  p.setBrush(QColor(200, 200, 200));
  p.drawRect(9, 19, 14, 9);
}

void cross(QPainter& p) {
  p.setPen(QPen(kWrite, 4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(8, 8, 24, 24);
  p.drawLine(24, 8, 8, 24);
}

void pencil(QPainter& p) {
  p.setPen(Qt::NoPen);
  QPainterPath body;
  body.moveTo(22, 4);
  body.lineTo(28, 10);
  body.lineTo(12, 26);
  body.lineTo(6, 20);
  body.closeSubpath();
  p.fillPath(body, kFolder);
  QPainterPath tip;
  tip.moveTo(6, 20);
  tip.lineTo(12, 26);
  tip.lineTo(4, 28);
  tip.closeSubpath();
  p.fillPath(tip, kInk);
}

void undo(QPainter& p) {
  p.setPen(QPen(kRead, 3, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(8, 8, 18, 16), 90 * 16, -220 * 16);
  arrow(p, QPointF(16, 8), QPointF(9, 8), kRead);
}

void eraser(QPainter& p) {
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(QColor(240, 140, 160));
  QPolygonF block({QPointF(4, 20), QPointF(16, 8), QPointF(28, 16), QPointF(16, 28)});
  p.drawPolygon(block);
  p.setBrush(kPaper);
  p.drawPolygon(QPolygonF({QPointF(4, 20), QPointF(10, 14), QPointF(22, 22), QPointF(16, 28)}));
}

void downArrow(QPainter& p) {
  QPainterPath head;
  head.moveTo(8, 12);
  head.lineTo(24, 12);
  head.lineTo(16, 22);
  head.closeSubpath();
  p.fillPath(head, kInk);
}

// The chip buttons: a chip, two lines on it for data memory, and the
// direction of the command (read, write, verify).
void drawChipButton(QPainter& p, const QString& name) {
  const bool data = name == "SpeedButton10" || name == "SpeedButton9";
  chip(p, 5, 5, 12, 22);
  if (data) {
    p.setPen(QPen(kGood, 2));
    p.drawLine(8, 12, 14, 12);
    p.drawLine(8, 17, 14, 17);
  }
  if (name == "SpeedButton11" || name == "SpeedButton10")
    arrow(p, QPointF(19, 16), QPointF(28, 16), kRead);
  else if (name == "SpeedButton12" || name == "SpeedButton9")
    arrow(p, QPointF(30, 16), QPointF(21, 16), kWrite);
  else if (name == "SpeedButton13")
    tick(p, kGood);
}

void editChip(QPainter& p) {
  chip(p, 5, 8, 12, 20);
  pencil(p);
}

void draw(QPainter& p, const QString& name) {
  static const std::map<QString, void (*)(QPainter&)> kPictures = {
      {"SpeedButton7", folder}, {"SpeedButton4", page},   {"SpeedButton5", disk},
      {"SpeedButton1", disk},   {"SpeedButton6", cross},  {"SpeedButton8", editChip},
      {"SpeedButton2", undo},   {"SpeedButton3", eraser}, {"SpeedButton14", downArrow},
  };
  const auto picture = kPictures.find(name);
  if (picture != kPictures.end())
    picture->second(p);
  else
    drawChipButton(p, name);
}

}  // namespace

QIcon speedButtonIcon(const QString& name) {
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  draw(painter, name);
  painter.end();
  return QIcon(pixmap);
}

QIcon programIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(128, 0, 0));
  p.drawRoundedRect(4, 4, 56, 56, 8, 8);
  p.scale(2, 2);
  chip(p, 10, 6, 12, 20);
  return QIcon(pixmap);
}

}  // namespace kalmar::qt
