#include "cli/options.h"

#include "device/catalogue.h"

#include <cstdlib>
#include <map>

namespace kalmar::cli {

namespace {

// Commands and how many arguments each takes (min, max).
const std::map<std::string, std::pair<int, int>> kCommands = {
    {"check", {0, 0}},       {"read", {0, 0}},         {"read-pm", {0, 0}},  {"read-dm", {0, 0}},
    {"read-config", {0, 0}}, {"read-id", {0, 0}},      {"write", {1, 1}},    {"verify", {1, 1}},
    {"write-dm", {1, 1}},    {"write-config", {0, 1}}, {"write-id", {4, 4}}, {"erase", {0, 0}},
    {"disasm", {1, 1}},      {"load", {1, 1}},
};

bool isSlowdown(double value) {
  for (double allowed : {1.0, 1.2, 1.5, 2.0, 3.0, 5.0})
    if (value == allowed) return true;
  return false;
}

}  // namespace

ParsedOptions parseOptions(const std::vector<std::string>& args) {
  ParsedOptions parsed;
  Options& o = parsed.options;
  auto fail = [&](std::string reason) {
    parsed.error = std::move(reason);
    return parsed;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "-h" || arg == "--help") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "-y" || arg == "--yes") {
      o.yes = true;
    } else if (arg == "-q" || arg == "--quiet") {
      o.quiet = true;
    } else if (arg == "--virtual-time") {
      o.virtualTime = true;
    } else if (arg == "-c" || arg == "--chip") {
      if (!value(text)) return fail(arg + " needs a chip name");
      if (findChip(text) == nullptr) return fail("unknown chip " + text);
      o.chip = text;
    } else if (arg == "-p" || arg == "--port") {
      if (!value(text)) return fail(arg + " needs a port");
      if (text != "lpt1" && text != "lpt2" && (text.rfind("sim:", 0) != 0 || text.size() < 5))
        return fail("unknown port " + text + " (lpt1, lpt2 or sim:FILE)");
      o.port = text;
    } else if (arg == "--slowdown") {
      if (!value(text)) return fail("--slowdown needs a factor");
      char* end = nullptr;
      double factor = std::strtod(text.c_str(), &end);
      if (end == text.c_str() || *end != '\0' || !isSlowdown(factor))
        return fail("unknown slow-down " + text + " (1, 1.2, 1.5, 2, 3 or 5)");
      o.slowdown = factor;
    } else if (arg == "--sim-fault") {
      if (!value(text)) return fail("--sim-fault needs a fault");
      o.simFaults.push_back(text);
    } else if (arg == "--trace") {
      if (!value(text)) return fail("--trace needs a file");
      o.traceFile = text;
    } else if (arg == "-o" || arg == "--output") {
      if (!value(text)) return fail(arg + " needs a file");
      o.output = text;
    } else if (arg.size() > 1 && arg[0] == '-') {
      return fail("unknown option " + arg);
    } else if (o.command.empty()) {
      o.command = arg;
    } else {
      o.arguments.push_back(arg);
    }
  }
  if (o.help || o.version) return parsed;
  if (o.command.empty()) return fail("no command");
  auto command = kCommands.find(o.command);
  if (command == kCommands.end()) return fail("unknown command " + o.command);
  const int count = static_cast<int>(o.arguments.size());
  if (count < command->second.first || count > command->second.second)
    return fail(o.command + " takes " + std::to_string(command->second.first) +
                (command->second.first == command->second.second
                     ? ""
                     : " to " + std::to_string(command->second.second)) +
                " argument(s)");
  if (!o.simFaults.empty() && !(o.port && o.port->rfind("sim:", 0) == 0))
    return fail("--sim-fault needs --port sim:FILE");
  return parsed;
}

std::string helpText() {
  return R"(kalmar-cli: programs PIC16F84/84A, PIC16C84, PIC16F627/627A/628/628A and
PIC12F629/675 through the Kalmar parallel port adapter, or a simulated chip.

Usage: kalmar-cli [options] COMMAND [ARGS]

Options:
  -c, --chip NAME       PIC16F84, PIC16F84A, PIC16C84, PIC16F627, PIC16F627A,
                        PIC16F628, PIC16F628A, PIC12F629 or PIC12F675
                        (default: the chip in ./Kalmar.cfg, else PIC16F84)
  -p, --port PORT       lpt1 | lpt2 | sim:FILE (default: the port in ./Kalmar.cfg, else lpt1)
      --slowdown F      stretch the 8 us timing unit: 1, 1.2, 1.5, 2, 3 or 5
      --virtual-time    with sim: run on simulated time, a whole chip in milliseconds
      --sim-fault F     with sim, repeatable: no-adapter, no-chip, data-stuck-low,
                        data-stuck-high, stuck:ADDR=VALUE (hex word address and value),
                        slow:ADDR (hex word address), code-protected
      --trace FILE      record every port access: nanoseconds since the command
                        began, W or R, and the byte in hex, one per line
  -y, --yes             answer OK to every warning and question (otherwise a terminal
                        is asked; without one the answer is Cancel)
  -o, --output FILE     where read and disasm write
  -q, --quiet           print only errors
  -h, --help            this text
      --version         the program's version

Commands:
  check                       the programmer check
  read [-o FILE.hex]          read everything: program memory, configuration, data
                              memory, ID; print it, or save it as Intel HEX
  read-pm | read-dm | read-config | read-id
                              read one area and print it
  write FILE.hex              load the file, write program memory, verify it,
                              write the configuration word
  verify FILE.hex             load the file, verify program memory
  write-dm FILE.hex           load the file, write and verify data memory
  write-config [WORD]         write the configuration word (the hex WORD, or the
                              one in ./Kalmar.cfg)
  write-id W0 W1 W2 W3        write the four ID words (hex)
  erase                       erase everything and prove the chip blank
  disasm FILE.hex [-o F.asm]  disassemble the file into an assembler listing
                              (no chip needed; default output: FILE.asm)
  load FILE.hex               load the file and report what it holds

sim:FILE is a simulated chip kept in FILE between runs; a missing FILE is created
as a fresh chip of --chip's kind. The chip in the file keeps its own kind.

Exit status: 0 success; 1 failed, refused or cancelled; 2 usage error;
3 no programmer found.
)";
}

}  // namespace kalmar::cli
