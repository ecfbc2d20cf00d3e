#pragma once

#include "cli/options.h"

namespace kalmar::cli {

// Runs the command line; returns the exit status.
int run(const Options& options);
int runMain(int argc, char** argv);

}  // namespace kalmar::cli
