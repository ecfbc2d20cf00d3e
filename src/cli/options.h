#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port/adapter_pins.h"

namespace kalmar::cli {

struct Options {
  std::optional<std::string> chip;
  std::optional<std::string> port;  // "lpt1", "lpt2", "sim:FILE", "ftdi[:SERIAL]", "gpio[:DEVICE]"
  std::optional<std::string> pinsText;  // --pins as written
  std::optional<AdapterPins> pins;      // its pin map, checked against the port
  std::optional<double> slowdown;
  bool virtualTime = false;
  std::vector<std::string> simFaults;
  std::optional<std::string> traceFile;
  std::optional<std::string> simLog;  // the simulator's whole log, with sim: ports
  bool yes = false;
  std::optional<std::string> output;
  bool quiet = false;
  bool force = false;
  bool autoSteps = false;  // pins: timed steps even on a terminal
  int stepMs = 5000;       // pins: how long each step is held                        // no chip
                           // identification, no refusal of an empty file
  std::optional<std::uint16_t> calibration;  // RETLW written at 3FFh of a PIC12F629/675
  bool help = false;
  bool version = false;
  std::string command;
  std::vector<std::string> arguments;
};

struct ParsedOptions {
  Options options;
  std::string error;  // a one-line reason when the command line is unusable
};

ParsedOptions parseOptions(const std::vector<std::string>& args);
// A chip name as the user may write it ("16f628a", "pic16F628A"), as the
// catalogue spells it; empty when no chip has it.
std::optional<std::string> chipNamed(const std::string& text);
std::string helpText();

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoProgrammer = 3;

}  // namespace kalmar::cli
