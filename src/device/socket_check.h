#pragma once

#include "window/form1.h"
#include "window/outcome.h"

namespace kalmar {

// Before the window writes or erases: which chip is in the socket, by its
// device ID in one short programming session. Another chip than the one
// selected is named in a question (OK goes on, Cancel refuses); silence on
// a kind that has an ID is no chip (or no programmer, which its check says);
// the PIC16F84 and PIC16C84 have no ID, so their silence is no answer.
Outcome checkChipInSocket(TForm1& form);

// A window command that writes or erases, run only when the socket holds
// the selected chip or the user goes on anyway.
template <typename Command>
void afterSocketCheck(TForm1& form, Command command) {
  if (checkChipInSocket(form)) command(form);
}

}  // namespace kalmar
