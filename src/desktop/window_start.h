#pragma once

#include <string>

#include "app/port_stack.h"
#include "desktop/command_runner.h"
#include "desktop/options.h"
#include "model/form1.h"

namespace kalmar::desktop {

// The port the window's options choose: a simulated chip file made for the
// chip the settings file names.
PortChoice portChoice(const DesktopOptions& options);

// At the close, the simulated chip is saved before the settings are
// written; a failure in a box.
void saveChipAtClose(CommandRunner& runner, PortStack& stack, Host& host);

// What the caption says after the program's own text: that the port is
// simulated, or which adapter device the command line named.
std::string captionSuffix(const PortStack& stack, const DesktopOptions& options);

// The window's start as both window front ends make it: the form created,
// the settings file read and the chip and port it names taken (a port named
// on the command line instead is the only one opened), the pages looked
// for in `installedPages` when the start-up directory has none.
void startWindow(TForm1& form, PortStack& stack, const DesktopOptions& options,
                 const std::string& installedPages);

// On a simulated chip: its findings during a command in a box after it.
void reportSimulator(CommandRunner& runner, Host& host, PortStack& stack);

// Before a PIC12F629/675 is erased its calibration word and BG bits stand
// in the status line (and on standard error) until they are written back.
void showFactoryValues(TForm1& form, Host& host);

// A port failure in the middle of a command, in a box.
void reportPortFailures(PortStack& stack, Host& host);

}  // namespace kalmar::desktop
