#include "qt/source_box.h"

#include <QMouseEvent>

#include "desktop/accessible_names.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

SourceBox::SourceBox(const char* name, QWidget* parent)
    : QLineEdit(parent) {
  setObjectName(name);
  setAccessibleName(qs(desktop::accessibleName(name)));
  setReadOnly(true);
  setFrame(false);
  setFocusPolicy(Qt::ClickFocus);
  setContextMenuPolicy(Qt::NoContextMenu);
}

void SourceBox::show(const SourceIndicator& box, int top) {
  const int parentWidth = parentWidget() ? parentWidget()->width() : 0;
  if (top == top_ && parentWidth == parentWidth_ && box.Text == shown_.Text &&
      box.Hint == shown_.Hint && box.Bold == shown_.Bold && box.Left == shown_.Left &&
      box.Width == shown_.Width)
    return;
  shown_ = box;
  top_ = top;
  parentWidth_ = parentWidth;
  const QString text = qs(box.Text);
  if (this->text() != text) setText(text);
  if (toolTip() != qs(box.Hint)) setToolTip(qs(box.Hint));
  if (font().bold() != box.Bold) {
    QFont bold = font();
    bold.setBold(box.Bold);
    setFont(bold);
  }
  // The model's sizes fit its own font; a wider text gets the room it needs.
  // A width of 0 hides the box, as the window's design has it at start.
  const int width = std::max(box.Width, fontMetrics().horizontalAdvance(text) + 8);
  setVisible(box.Width > 0);
  const int room = parentWidget() ? parentWidth - 4 : box.Left + width;
  setGeometry(std::max(0, std::min(box.Left, room - width)), top, width, 15);
}

void SourceBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (onMouseUp) onMouseUp();
}

}  // namespace kalmar::qt
