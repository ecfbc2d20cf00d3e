#pragma once

#include <string>

#include "window/form1.h"
#include "window/outcome.h"

namespace kalmar {

// The whole chip from the buffer, as a user of a programmer means it:
// erase (calibration and BG kept), the program words that are not blank, a
// verify of all program memory, data memory, IDs and configuration word,
// each checked. Done only when everything verified. sourceName names the
// buffer's file in the status text.
Outcome programChip(TForm1& form, const std::string& sourceName);

}  // namespace kalmar
