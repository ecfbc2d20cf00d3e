#pragma once

#include <string>

#include "cli/options.h"
#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar::cli {

// What the chip in the socket said before a command that reads or changes it.
enum class Identity {
  Matches,      // the selected chip, or one that cannot tell (PIC16F84, PIC16C84)
  Selected,     // nothing was chosen, so the detected chip is now selected
  OtherChip,    // refused: another chip answers
  NoChip,       // refused: nothing answers
  NoProgrammer  // the programmer check found no adapter (it said so itself)
};

struct Identification {
  Identity identity;
  Outcome outcome;  // done when the command may go on
};

// Reads the device ID at 2006h (one short programming session) and compares
// it with the selected chip; the refusals are told on standard error.
// chipChosen: the user named a chip (-c or ./Kalmar.cfg).
Identification identifyChip(TForm1& form, bool chipChosen);

// "detect": prints the chip in the socket and its revision.
Outcome detectChip(TForm1& form);

}  // namespace kalmar::cli
