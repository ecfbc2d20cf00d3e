#include "cli/vcd_trace.h"

#include <array>

#include "sim/sim_log.h"

namespace kalmar::cli {

namespace {

enum Signal { kVpp, kVdd, kClk, kDataHost, kDataChip, kSignals };
constexpr std::array<const char*, kSignals> kNames = {"VPP_D2", "VDD_D3", "CLK", "DATA_HOST",
                                                      "DATA_CHIP"};
constexpr std::array<char, kSignals> kIds = {'p', 'v', 'c', 'd', 'r'};
constexpr char kCommandId = 'k';

// Follows the falling clock edges as a chip would: six bits make a command;
// loads and reads take a 16-bit frame after it.
class CommandDecoder {
 public:
  // The name of the command completed by this falling edge, or empty.
  std::string fall(int dataLevel) {
    if (frameBitsLeft_ > 0) {
      --frameBitsLeft_;
      return {};
    }
    code_ |= static_cast<unsigned>(dataLevel & 1) << bits_;
    if (++bits_ < 6) return {};
    const unsigned code = code_;
    bits_ = 0;
    code_ = 0;
    const auto command = static_cast<std::uint8_t>(code);
    if (sim::needsData(command) || sim::readsData(command)) frameBitsLeft_ = 16;
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X_", code);
    std::string name = hex + sim::commandName(command);
    for (char& c : name)
      if (c == ' ') c = '_';  // a VCD string value is one word
    return name;
  }
  void reset() {
    bits_ = 0;
    code_ = 0;
    frameBitsLeft_ = 0;
  }

 private:
  int bits_ = 0;
  unsigned code_ = 0;
  int frameBitsLeft_ = 0;
};

}  // namespace

bool wantsVcd(const std::string& path) {
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".vcd") == 0;
}

std::string vcdTrace(const std::vector<PortAccess>& accesses, std::int64_t startNs) {
  std::string out =
      "$comment Kalmar: port traffic of one command $end\n$timescale 1 ns $end\n"
      "$scope module adapter $end\n";
  for (int s = 0; s < kSignals; ++s)
    out += std::string("$var wire 1 ") + kIds[static_cast<std::size_t>(s)] + " " +
           kNames[static_cast<std::size_t>(s)] + " $end\n";
  out += std::string("$var string 1 ") + kCommandId + " COMMAND $end\n";
  out += "$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\n";
  for (char id : kIds) out += std::string("x") + id + "\n";
  out += "$end\n";

  std::array<int, kSignals> value{0, 0, 0, 0, 1};
  std::array<int, kSignals> shown{-1, -1, -1, -1, -1};
  CommandDecoder decoder;
  std::int64_t lastTime = 0;
  auto stamp = [&](std::int64_t t) {
    if (t == lastTime) return;
    lastTime = t;
    out += "#" + std::to_string(t) + "\n";
  };
  auto emit = [&](std::int64_t t) {
    for (int s = 0; s < kSignals; ++s) {
      const auto i = static_cast<std::size_t>(s);
      if (value[i] == shown[i]) continue;
      stamp(t);
      shown[i] = value[i];
      out += std::to_string(value[i]) + kIds[i] + "\n";
    }
  };
  for (const PortAccess& access : accesses) {
    const std::int64_t t = std::max<std::int64_t>(lastTime, access.time - startNs);
    if (access.isWrite) {
      const bool clockWasHigh = value[kClk] == 1;
      value[kVpp] = (access.value & 0x04) == 0;
      value[kVdd] = (access.value & 0x08) == 0;
      value[kClk] = (access.value & 0x02) == 0;
      value[kDataHost] = (access.value & 0x01) == 0;
      emit(t);
      if (!value[kVpp] || !value[kVdd]) decoder.reset();  // out of programming mode
      if (clockWasHigh && value[kClk] == 0) {
        const std::string command = decoder.fall(value[kDataHost]);
        if (!command.empty()) {
          stamp(t);
          out += "s" + command + " " + kCommandId + "\n";
        }
      }
    } else if (access.address & 1) {
      value[kDataChip] = (access.value & 0x40) == 0;
      emit(t);
    }
  }
  return out;
}

}  // namespace kalmar::cli
