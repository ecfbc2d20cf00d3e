#pragma once

#include <optional>
#include <string>
#include <vector>

#include "port/adapter_pins.h"

namespace kalmar::desktop {

// The desktop program's few options: the port and simulated time, as the
// command line has them.
struct DesktopOptions {
  std::optional<std::string> port;  // "lpt1", "lpt2", "sim:FILE", "ftdi[:SERIAL]", "gpio[:DEVICE]"
  std::optional<std::string> pinsText;  // --pins as written
  std::optional<AdapterPins> pins;      // its pin map, checked against the port
  bool virtualTime = false;
  bool help = false;
  bool version = false;
  std::string error;  // a one-line reason when the options are unusable
};

DesktopOptions parseDesktopOptions(const std::vector<std::string>& args);
const char* desktopHelpText();

}  // namespace kalmar::desktop
