#pragma once

#include <QIcon>

namespace kalmar::qt {

// The speed buttons' pictures (desktop/pictures.h) at 16 and 32 pixels:
// a folder, a chip with an arrow out (read) or in (write), a tick (verify),
// a pencil (edit), a disk (save), a cross (close), a curved arrow (cancel),
// an eraser (clear all), a page of code (disassemble), a down arrow (the BG
// list); no picture for another name.
QIcon speedButtonIcon(const QString& name);
// The program's own icon: a chip in a socket, at 16 to 64 pixels.
QIcon programIcon();

}  // namespace kalmar::qt
