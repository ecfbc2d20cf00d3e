#pragma once

#include "link/line_protocol.h"
#include "model/form1.h"
#include "model/host.h"
#include "model/outcome.h"
#include "model/platform.h"
#include "model/window_state.h"

namespace kalmar {

// What the programmer check needs: the line, the system and the window.
struct CheckContext {
  LineProtocol& line;
  Platform& platform;
  Host& host;
  WindowState& window;
};

// Loop-back test of the adapter's data line: forced low it must read low,
// released it must read high. Tells the user itself when it fails.
bool Chek_Hard(CheckContext context);

// The same for the main window: done with no status text of its own, or
// NoProgrammer with the box it showed.
Outcome Chek_Hard(TForm1& form);
// "Проверка железа": the check alone, its result ignored. A button of the
// window's hidden group, kept though no route reaches it.
void Button17Click(TForm1& form);

}  // namespace kalmar
