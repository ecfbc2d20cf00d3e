// The low-voltage entry of the PIC12F1822 family (DS41390, DS41439): with
// VDD on and MCLR held low (the adapter's VPP switch off, R6 pulling MCLR
// to ground), the chip takes the 32-bit key 4D434850h ("MCHP"), least
// significant bit first, on falling clock edges; the clock after it enters
// programming. The LVP bit (bit 13 of the second configuration word) must
// be set; an erased chip has it set. The first command waits TENTH.
#include "sim/sim_chip.h"

namespace kalmar::sim {

namespace {
constexpr std::uint32_t kKey = 0x4D434850;
constexpr std::int64_t kKeySetupNs = 100;       // TENTS: VDD and MCLR settled before the key
constexpr std::int64_t kKeyHoldNs = 250'000;    // TENTH: key to the first command
constexpr std::uint16_t kLvpBit = 0x2000;       // CONFIG2
}  // namespace

bool SimChip::lowVoltageOnly() const {
  return traits_->family == SimFamily::F1xxx;
}

// VPP is never wanted on these chips: raising it is the finding. VDD off
// leaves programming mode; either starts the key anew.
void SimChip::lowVoltageSupplies(bool vdd, bool vpp, std::int64_t t) {
  if (vpp && !vpp_)
    violation(t, "VPP raised on MCLR: about 12.7 V, above the 9 V a " + std::string(traits_->name) +
                     " takes; a real chip could have been damaged");
  if (vdd && !vdd_) vddOnNs_ = t;
  if (!vdd || vpp) resetKeyWatch();
  vdd_ = vdd;
  vpp_ = vpp;
  if (!vdd_ && programming_) leaveProgrammingMode(t);
}

void SimChip::resetKeyWatch() {
  keyShift_ = 0;
  keyBits_ = 0;
  keyMatched_ = false;
  firstKeyClockNs_ = -1;
}

void SimChip::watchForKey(std::int64_t t, int dataLevel) {
  if (!lowVoltageOnly() || !vdd_ || vpp_ || powerLost_) return;
  if (firstKeyClockNs_ < 0) {
    firstKeyClockNs_ = t;
    if (t - vddOnNs_ < kKeySetupNs)
      violation(t, "key clocked " + std::to_string(t - vddOnNs_) +
                       " ns after VDD came on (at least 100 ns)");
  }
  if (keyMatched_) {
    resetKeyWatch();
    if ((config2 & kLvpBit) == 0) return;  // LVP off: only high voltage would enter
    beginProgrammingMode(t, kKeyHoldNs);
    return;
  }
  // The last 32 bits, the first clocked in the lowest.
  keyShift_ = (keyShift_ >> 1) | (static_cast<std::uint32_t>(dataLevel & 1) << 31);
  if (keyBits_ < 32) ++keyBits_;
  keyMatched_ = keyBits_ == 32 && keyShift_ == kKey;
}

}  // namespace kalmar::sim
