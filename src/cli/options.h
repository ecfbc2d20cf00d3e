#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kalmar::cli {

struct Options {
  std::optional<std::string> chip;
  std::optional<std::string> port;  // "lpt1", "lpt2" or "sim:FILE"
  std::optional<double> slowdown;
  bool virtualTime = false;
  std::vector<std::string> simFaults;
  std::optional<std::string> traceFile;
  bool yes = false;
  std::optional<std::string> output;
  bool quiet = false;
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
std::string helpText();

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoProgrammer = 3;

}  // namespace kalmar::cli
