#pragma once

#include <QString>

class QWidget;

namespace kalmar::qt {

// Opens a local page (Help.htm, Shema.htm) with the desktop's program for
// it (xdg-open). When there is none, or it fails, the page is shown in the
// program's own viewer instead, links between the pages included, so that
// "Помощь" never does nothing.
void openPage(QWidget* parent, const QString& path);

// The program's own viewer of a page; returns the window it opened.
QWidget* showPageViewer(QWidget* parent, const QString& path);

}  // namespace kalmar::qt
