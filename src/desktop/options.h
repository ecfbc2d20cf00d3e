#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kalmar::desktop {

// The desktop program's few options: the port and simulated time, as the
// command line has them.
struct DesktopOptions {
  std::optional<std::string> port;  // "lpt1", "lpt2" or "sim:FILE"
  bool virtualTime = false;
  bool help = false;
  bool version = false;
  std::string error;  // a one-line reason when the options are unusable
};

DesktopOptions parseDesktopOptions(const std::vector<std::string>& args);
const char* desktopHelpText();

}  // namespace kalmar::desktop
