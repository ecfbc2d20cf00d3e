#pragma once

#include <string>

#include "model/form1.h"

namespace kalmar {

// Main window creation: the buffer's start values, the panels' oscillator
// fields, the start-up directory.
void FormCreate(TForm1& form);
// The rest of start-up (run by the colour dialog's creation): the settings
// file or the defaults, then the port driver and the idle adapter.
void readSettingsAndStart(TForm1& form);
// Every activation: timing calibration, the editor's key counter.
void FormActivate(TForm1& form);
// The application-wide hook: a left press outside the open BG list closes it.
void AppMessage(TForm1& form, bool leftButtonDown, bool onListBox1);
// Shutdown: writes the settings file (reporting a failure, closing anyway).
void FormClose(TForm1& form);

std::string settingsPath(TForm1& form);
// A file of the start-up directory, with the platform's separator.
std::string startupFilePath(TForm1& form, const std::string& name);
// A file in a directory, named with the running system's separator.
std::string filePathIn(TForm1& form, const std::string& directory, const std::string& name);
// Opens the selected port's device (Linux); a failure is told once, with the
// device and the system's reason.
void openSelectedPort(TForm1& form);
// The selected port as the running system reaches it: the driver on the
// Windows NT family (its file looked for first), the device on Linux.
void openSystemPort(TForm1& form);
// A port named on a command line: "lpt1" or "lpt2" is chosen as its menu
// item chooses it (any other name, a ppdev device, keeps the selection), then
// opened. Start-up ran without opening, so this is the only port opened.
void openPortNamed(TForm1& form, const std::string& port);

}  // namespace kalmar
