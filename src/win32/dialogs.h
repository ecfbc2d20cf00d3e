#pragma once

#include "win32/window_link.h"

namespace kalmar::win32 {

// The colour dialog TForm2 "Настройка цвета": its choices show on the main
// window at once; "Сохранить" keeps them, "Отмена" or the close box puts
// the colours back. Returns when it has closed.
void runColourDialog(HWND owner, WindowLink& link);

// The About box TForm3, centred on the screen; closed by its close box or Esc.
void runAboutBox(HWND owner, WindowLink& link);

}  // namespace kalmar::win32
