#pragma once

#include <cstdint>

#include "device/catalogue.h"
#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// What the socket said when asked for its device ID (one short programming
// session), judged against the selected chip.
struct SocketReading {
  enum class Answer {
    SelectedChip,  // the selected chip, or silence from one that has no ID
    NoProgrammer,  // silence, and the programmer check found no adapter
    NoChip,        // silence where the selected chip has an ID
    OtherChip,     // another ID; detected is null when no supported chip has it
  };
  Answer answer;
  std::uint16_t id;
  const CatalogueEntry* detected;
  Outcome check;  // the programmer check's, for NoProgrammer
};
SocketReading readSocket(TForm1& form);

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
