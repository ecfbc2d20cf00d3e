#pragma once

#include "window/form1.h"

namespace kalmar {

// "Прочитать все": program memory with the configuration word, data memory, IDs.
void Button16Click(TForm1& form);

}  // namespace kalmar
