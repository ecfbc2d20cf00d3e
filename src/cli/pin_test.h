#pragma once

#include "cli/options.h"
#include "model/form1.h"

namespace kalmar::cli {

// "pins": the adapter without a chip, line by line. Each step sets the port,
// says which connector and socket pins should read what on a meter, and
// holds (a time, or until Enter on a terminal); between the steps the data
// line's loop-back through pin 10 is checked both ways. True when the
// loop-back worked every time.
bool runPinTest(TForm1& form, const Options& options, bool interactive);

}  // namespace kalmar::cli
