#pragma once

#include <cstdint>

#include "link/performance_counter.h"

namespace kalmar {

// The timing state of the line protocol: counter frequency F, base unit B
// (8 µs unless the counter is too coarse), slow-down factor S. Every wait
// computes its length afresh from these.
class TimingState {
 public:
  static constexpr double kDefaultBaseUnit = 8e-6;

  explicit TimingState(PerformanceCounter& counter);

  // Re-reads F; when one unit would span fewer than 8 counts, B is raised so
  // that it spans exactly 8 (S does not enter this check).
  void calibrate();

  double frequency() const { return frequency_; }
  double baseUnit() const { return baseUnit_; }
  double SlowdownFactor() const { return slowdown_; }
  void setSlowdownFactor(double factor) { slowdown_ = factor; }

  // Unit length U = nearest integer to F x B x S, in counts.
  std::int64_t unitCounts() const { return countsFor(1); }
  // Nearest integer to F x B x n x S (ties to even).
  std::int64_t countsFor(std::int64_t units) const;

  PerformanceCounter& counter() { return counter_; }

  // Waits until the counter exceeds its reading now plus n units.
  void Paus(std::int64_t units);
  // Waits until the counter exceeds t0 plus one line hold.
  void Paus1(std::int64_t t0);
  // One line hold in counts: one unit, or the shorter hold set for the
  // chips' own pace.
  std::int64_t lineHoldCounts() const;
  // n microseconds times the slow-down in counts, never less.
  std::int64_t countsForMicros(std::int64_t micros) const {
    return countsCovering(static_cast<double>(micros) * 1e-6);
  }

  // The hold of each line state in seconds before the slow-down; 0 (the
  // default) holds one unit.
  void setLineHold(double seconds) { lineHold_ = seconds; }
  double lineHold() const { return lineHold_; }

 private:
  PerformanceCounter& counter_;
  double frequency_;
  double baseUnit_ = kDefaultBaseUnit;
  double slowdown_ = 1.0;
  double lineHold_ = 0;

  // Counts covering at least `seconds` times the slow-down.
  std::int64_t countsCovering(double seconds) const;
};

}  // namespace kalmar
