#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/options.h"
#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar::cli {

// What a command runs with: the window it drives and the command line.
struct Context {
  TForm1& form;
  const Options& options;
};

// A command does its work and says how it ended; what it prints itself is
// only what it was asked for (memory it read, a verdict), never on failure.
using CommandRun = Outcome (*)(Context&);

// One command of the command line, everything about it in one place: the
// option parser, --help, the man page's list and the runner read this.
struct CommandRecord {
  const char* name;
  int minArguments;
  int maxArguments;
  const char* synopsis;  // the command with its arguments, as --help shows it
  const char* help;      // what it does; lines joined by '\n'
  bool needsChip;        // talks to the programmer, so a port is opened
  bool identifiedFirst;  // the device ID is read before it runs
  CommandRun run;
  // Drives the adapter's lines one by one, not the chip's protocol: what a
  // simulated chip would make of that is no verdict.
  bool linesOnly = false;
};

const std::vector<CommandRecord>& commandTable();
const CommandRecord* findCommand(std::string_view name);
// The "Команды:" part of --help, one entry a record in table order.
std::string commandsHelp();

}  // namespace kalmar::cli
