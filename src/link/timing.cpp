#include "link/timing.h"

#include <cmath>

namespace kalmar {

namespace {
// The default floating-point rounding mode rounds halves to even.
std::int64_t nearest(double value) {
  return static_cast<std::int64_t>(std::nearbyint(value));
}
}  // namespace

TimingState::TimingState(PerformanceCounter& counter)
    : counter_(counter), frequency_(static_cast<double>(counter.frequency())) {}

void TimingState::calibrate() {
  frequency_ = static_cast<double>(counter_.frequency());
  if (frequency_ > 0 && nearest(frequency_ * baseUnit_) < 8) baseUnit_ = 8.0 / frequency_;
}

std::int64_t TimingState::countsFor(std::int64_t units) const {
  return nearest(frequency_ * baseUnit_ * static_cast<double>(units) * slowdown_);
}

void TimingState::Paus(std::int64_t units) {
  std::int64_t t0 = counter_.counter();
  counter_.spinUntil(t0 + countsFor(units));
}

void TimingState::Paus1(std::int64_t t0) {
  counter_.spinUntil(t0 + lineHoldCounts());
}

std::int64_t TimingState::lineHoldCounts() const {
  return lineHold_ > 0 ? countsCovering(lineHold_) : countsFor(1);
}

std::int64_t TimingState::countsCovering(double seconds) const {
  return static_cast<std::int64_t>(std::ceil(frequency_ * seconds * slowdown_));
}

}  // namespace kalmar
