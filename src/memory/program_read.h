#pragma once

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// Reads all program memory words into the program sample store; progress 5 to 75.
void Proc_Read_PM(TForm1& form);
// "Чтение PM": read the chip's program memory and configuration word, show them.
Outcome Button8Click(TForm1& form);
// Every word column shows the blank text again; the column texts are emptied.
void ClearMemo(TForm1& form);

}  // namespace kalmar
