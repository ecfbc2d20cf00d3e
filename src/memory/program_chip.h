#pragma once

#include <string>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// The whole chip from the buffer, as a user of a programmer means it, at
// the chip's own pace: a bulk erase (calibration and BG bits kept), then
// only what differs from blank (program words that are not 3FFFh, data
// bytes that are not FFh, IDs the file sets), each read back; all program
// and data memory verified, the IDs checked, the configuration word last.
// Done only when everything verified; doneText is then the status text.
Outcome programChip(TForm1& form, const std::string& doneText);

// "Программировать всё из файла": programChip with the window's wait panel,
// status texts and, when it did not finish, the box that says so.
Outcome programFromFile(TForm1& form);

}  // namespace kalmar
