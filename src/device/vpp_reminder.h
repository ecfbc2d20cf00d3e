#pragma once

#include "model/form1.h"

namespace kalmar {

// The adapter gives about 12.7 V on MCLR, more than some sources allow the
// chips whose profile says vppAtMost12V. The first time in a run such a chip
// is chosen, the user is told how to lower VPP on the adapter; never again
// in that run.
void remindToLowerVpp(TForm1& form);

}  // namespace kalmar
