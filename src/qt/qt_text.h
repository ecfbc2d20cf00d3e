#pragma once

#include <QColor>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>

#include "desktop/colour_look.h"

namespace kalmar::qt {

inline QString qs(const std::string& text) {
  return QString::fromStdString(text);
}

// Message texts join their lines with CR LF; a label wants LF.
inline QString linesOf(const std::string& text) {
  QString result = qs(text);
  result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return result;
}

// Colours are kept as 00BBGGRR.
inline QColor colourOf(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

inline std::uint32_t valueOf(const QColor& colour) {
  return static_cast<std::uint32_t>(colour.red()) |
         (static_cast<std::uint32_t>(colour.green()) << 8) |
         (static_cast<std::uint32_t>(colour.blue()) << 16);
}

// A light text gets a dark field (desktop/colour_look.h).
inline bool isLight(const QColor& colour) {
  return desktop::isLight(valueOf(colour));
}
inline QColor fieldFor(const QColor& text) {
  return colourOf(desktop::fieldFor(valueOf(text)));
}
// A text colour and the field under it, for line edits.
inline void paintText(QWidget* widget, const QColor& text) {
  QPalette palette = widget->palette();
  if (palette.color(QPalette::Text) == text && palette.color(QPalette::Base) == fieldFor(text))
    return;
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Base, fieldFor(text));
  widget->setPalette(palette);
}

// A widget's own enabled and visible flags, whatever its parents show:
// while a command runs the whole window is disabled, and a hidden group
// hides its children.
inline void setOwnEnabled(QWidget* widget, bool enabled) {
  if (widget->testAttribute(Qt::WA_ForceDisabled) == enabled) widget->setEnabled(enabled);
}
inline void setOwnVisible(QWidget* widget, bool visible) {
  if (widget->isVisibleTo(widget->parentWidget()) != visible) widget->setVisible(visible);
}

}  // namespace kalmar::qt
