#pragma once

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// "Прочитать все": program memory with the configuration word, data memory, IDs.
Outcome Button16Click(TForm1& form);

}  // namespace kalmar
