#pragma once

#include <cstdint>

#include "sim/sim_chip.h"
#include "sim/sim_log.h"

namespace kalmar::sim {

struct AdapterFaults {
  bool noAdapter = false;      // status bit 6 reads 1 whatever is written
  bool noChip = false;         // an empty socket
  bool dataStuckLow = false;   // the data line never leaves 0
  bool dataStuckHigh = false;  // the data line never leaves 1
};

// Which power switch feeds the chip's supply; the other gives the
// programming voltage.
enum class SupplyWiring { D2IsVdd, D3IsVdd };

// The adapter on the parallel port: four inverting drivers (D0 data pulled
// low, D1 clock low, D2/D3 power switches off), the data line as a wired
// line (pulled up, pulled low by D0 = 1 or driven by the chip), read back
// inverted on status bit 6. It checks the host's line timing as the chip
// would see it.
class SimAdapter {
 public:
  static constexpr std::uint8_t kIdleStatus = 0x87;  // status bits other than 6
  static constexpr std::int64_t kSetupHoldNs = 100;  // TSET1 / THLD1

  explicit SimAdapter(SimChip& chip, SupplyWiring wiring = SupplyWiring::D3IsVdd);

  void writeData(std::uint8_t byte, std::int64_t timeNs);
  std::uint8_t readStatus(std::int64_t timeNs);

  // The level of the data line now: 1 high, 0 low.
  int dataLine() const;
  std::uint8_t dataRegister() const { return register_; }

  SimChip& chip() { return *chip_; }
  void replaceChip(SimChip& chip) {
    chip_ = &chip;
    chip_->attachLog(&log_);
  }
  SimLog& log() { return log_; }
  AdapterFaults faults;
  SupplyWiring wiring;

 private:
  bool chipPresent() const { return !faults.noAdapter && !faults.noChip; }
  int levelFor(std::uint8_t byte) const;
  // The chip latches at a falling clock edge; the setup rules are checked there.
  void clockFell(std::uint8_t previous, std::uint8_t byte, std::int64_t t);

  SimChip* chip_;
  SimLog log_;
  std::uint8_t register_ = 0x0F;
  std::int64_t lastFallNs_ = -1'000'000;
  std::int64_t lastDataChangeNs_ = -1'000'000;
};

}  // namespace kalmar::sim
