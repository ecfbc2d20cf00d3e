#include "sim/sim_adapter.h"

namespace kalmar::sim {

namespace {
constexpr std::uint8_t kData = 0x01, kClock = 0x02, kSwitchD2 = 0x04, kSwitchD3 = 0x08;
bool clockHigh(std::uint8_t byte) {
  return (byte & kClock) == 0;
}
}  // namespace

SimAdapter::SimAdapter(SimChip& chip, SupplyWiring supplyWiring)
    : wiring(supplyWiring), chip_(&chip) {
  chip_->attachLog(&log_);
}

int SimAdapter::levelFor(std::uint8_t byte) const {
  if (faults.dataStuckLow) return 0;
  if (faults.dataStuckHigh) return 1;
  if (byte & kData) return 0;
  if (chipPresent() && chip_->driving()) return chip_->driveLevel();
  return 1;  // pull-up
}

int SimAdapter::dataLine() const {
  return levelFor(register_);
}

void SimAdapter::writeData(std::uint8_t byte, std::int64_t t) {
  const std::uint8_t previous = register_;
  register_ = byte;
  if (!chipPresent()) return;

  const bool pullsLowNow = (byte & kData) != 0;
  const bool dataChanged = ((previous ^ byte) & kData) != 0;
  if (dataChanged && pullsLowNow && t - lastFallNs_ < kSetupHoldNs && t != lastFallNs_ &&
      chip_->latchedAtLastFall())
    log_.violation(t, "data changed within 100 ns after the clock fell (hold)");

  const std::uint8_t vddBit = wiring == SupplyWiring::D2IsVdd ? kSwitchD2 : kSwitchD3;
  const std::uint8_t vppBit = wiring == SupplyWiring::D2IsVdd ? kSwitchD3 : kSwitchD2;
  chip_->setSupplies((byte & vddBit) == 0, (byte & vppBit) == 0, t);

  const bool wasHigh = clockHigh(previous), isHigh = clockHigh(byte);
  if (!wasHigh && isHigh) chip_->clockRise(t);
  if (wasHigh && !isHigh) clockFell(previous, byte, t);
  if (dataChanged) lastDataChangeNs_ = t;
}

void SimAdapter::clockFell(std::uint8_t previous, std::uint8_t byte, std::int64_t t) {
  const bool dataChanged = ((previous ^ byte) & kData) != 0;
  int level = levelFor(byte);
  if (dataChanged) {
    // A released line rises slowly through its pull-up, so the chip still
    // sees the old level; pulling it low at the same instant breaks setup.
    level = levelFor(previous);
    if ((byte & kData) != 0) log_.violation(t, "data pulled low as the clock fell (setup)");
  } else if (t - lastDataChangeNs_ < kSetupHoldNs) {
    log_.violation(t, "data changed less than 100 ns before the clock fell (setup)");
  }
  chip_->clockFall(t, level);
  lastFallNs_ = t;
}

std::uint8_t SimAdapter::readStatus(std::int64_t t) {
  if (faults.noAdapter) return kIdleStatus | 0x40;
  (void)chip_->cycleRunning(t);
  return static_cast<std::uint8_t>(kIdleStatus | (dataLine() ? 0x00 : 0x40));
}

}  // namespace kalmar::sim
