#include "qt/cell_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

CellKey cellKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left:
      return CellKey::Left;
    case Qt::Key_Right:
      return CellKey::Right;
    case Qt::Key_Up:
      return CellKey::Up;
    case Qt::Key_Down:
      return CellKey::Down;
    default:
      return CellKey::Other;
  }
}

}  // namespace

CellEdit::CellEdit(const QString& name, int digits, QWidget* parent) : QLineEdit(parent) {
  setObjectName(name);
  // Letters or digits required in every position, "_" for a free one; the
  // handlers decide what is a hex digit.
  setInputMask(QString(digits, QLatin1Char('N')) + QStringLiteral(";_"));
  setFrame(false);
  setContextMenuPolicy(Qt::NoContextMenu);  // the group's pop-up menu opens instead
  setAlignment(Qt::AlignCenter);
  connect(this, &QLineEdit::textEdited, this, [this] {
    shown_ = displayText().toStdString();
    if (onEdited) onEdited(shown_);
  });
}

void CellEdit::show(const std::string& text) {
  if (text == shown_) return;
  shown_ = text;
  const bool blocked = blockSignals(true);
  setText(qs(text));
  setCursorPosition(0);  // a refused entry starts again at the first digit
  blockSignals(blocked);
}

int CellEdit::caret() const {
  return hasSelectedText() ? selectionStart() : cursorPosition();
}

void CellEdit::keyReleaseEvent(QKeyEvent* event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat() && onKeyUp) onKeyUp(cellKeyOf(event->key()), caret());
}

void CellEdit::mousePressEvent(QMouseEvent* event) {
  QLineEdit::mousePressEvent(event);
  if (event->button() == Qt::LeftButton && onPress) onPress();
}

void CellEdit::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && onRelease) onRelease();
}

// Tab and Shift+Tab reach a widget only through event(): the focus chain
// takes them before keyPressEvent.
bool CellEdit::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress && onTab) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && onTab(key == Qt::Key_Tab)) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void CellEdit::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (onFocusIn) onFocusIn();
}

}  // namespace kalmar::qt
