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

std::string vcdHeader() {
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
  return out;
}

// The line levels the port accesses set, dumped as they change, with each
// command decoded at the falling clock edge that completes it.
class VcdWriter {
 public:
  explicit VcdWriter(std::int64_t startNs) : startNs_(startNs), out_(vcdHeader()) {}

  void add(const PortAccess& access) {
    const std::int64_t t = std::max<std::int64_t>(lastTime_, access.time - startNs_);
    if (access.isWrite)
      written(t, access.value);
    else if (access.address & 1)
      statusRead(t, access.value);
  }
  std::string take() { return std::move(out_); }

 private:
  void written(std::int64_t t, std::uint8_t byte) {
    const bool clockWasHigh = value_[kClk] == 1;
    // The chip latches the level the line had: released in the same write
    // as the clock falls, it rises slowly through its pull-up.
    const int dataBefore = value_[kDataHost];
    value_[kVpp] = (byte & 0x04) == 0;
    value_[kVdd] = (byte & 0x08) == 0;
    value_[kClk] = (byte & 0x02) == 0;
    value_[kDataHost] = (byte & 0x01) == 0;
    emit(t);
    // Out of programming mode no edge is a bit, not even the clock falling
    // in the write that switches a supply off.
    if (!value_[kVpp] || !value_[kVdd]) {
      decoder_.reset();
      return;
    }
    if (!clockWasHigh || value_[kClk] != 0) return;
    const std::string command = decoder_.fall(dataBefore);
    if (command.empty()) return;
    stamp(t);
    out_ += "s" + command + " " + kCommandId + "\n";
  }

  void statusRead(std::int64_t t, std::uint8_t byte) {
    value_[kDataChip] = (byte & 0x40) == 0;
    emit(t);
  }

  void stamp(std::int64_t t) {
    if (t == lastTime_) return;
    lastTime_ = t;
    out_ += "#" + std::to_string(t) + "\n";
  }

  void emit(std::int64_t t) {
    for (std::size_t i = 0; i < value_.size(); ++i) {
      if (value_[i] == shown_[i]) continue;
      stamp(t);
      shown_[i] = value_[i];
      out_ += std::to_string(value_[i]) + kIds[i] + "\n";
    }
  }

  std::int64_t startNs_;
  std::string out_;
  std::array<int, kSignals> value_{0, 0, 0, 0, 1};
  std::array<int, kSignals> shown_{-1, -1, -1, -1, -1};
  CommandDecoder decoder_;
  std::int64_t lastTime_ = 0;
};

}  // namespace

bool wantsVcd(const std::string& path) {
  return path.size() > 4 && path.compare(path.size() - 4, 4, ".vcd") == 0;
}

std::string vcdTrace(const std::vector<PortAccess>& accesses, std::int64_t startNs) {
  VcdWriter writer(startNs);
  for (const PortAccess& access : accesses) writer.add(access);
  return writer.take();
}

}  // namespace kalmar::cli
