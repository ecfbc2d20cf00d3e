#pragma once

#include "cli/command_table.h"

namespace kalmar::cli {

// The runners of the command table, one a command.
Outcome programCommand(Context& c);
Outcome detectCommand(Context& c);
Outcome pinsCommand(Context& c);
Outcome checkCommand(Context& c);
Outcome readCommand(Context& c);
Outcome readProgramCommand(Context& c);
Outcome readDataCommand(Context& c);
Outcome readConfigCommand(Context& c);
Outcome readIdCommand(Context& c);
Outcome writeCommand(Context& c);
Outcome verifyCommand(Context& c);
Outcome writeDataCommand(Context& c);
Outcome writeConfigCommand(Context& c);
Outcome writeIdCommand(Context& c);
Outcome eraseCommand(Context& c);
Outcome disasmCommand(Context& c);
Outcome loadCommand(Context& c);

}  // namespace kalmar::cli
