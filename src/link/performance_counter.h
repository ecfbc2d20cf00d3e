#pragma once

#include <cstdint>

#include "port/port_io.h"

namespace kalmar {

// The high-resolution counter every wait is measured on.
class PerformanceCounter {
 public:
  virtual ~PerformanceCounter() = default;
  virtual std::int64_t frequency() const = 0;  // counts per second
  virtual std::int64_t counter() = 0;
  // Waits until counter() exceeds target; never returns early.
  virtual void spinUntil(std::int64_t target) = 0;
};

// The monotonic clock in nanoseconds (F = 10^9). A long wait (Linux: 1 ms
// or more; Windows: 3 ms, at a 1 ms system tick) sleeps until shortly
// before its end and spins the rest, so the processor is free through
// programming cycles while no wait ends early.
class RealPerformanceCounter final : public PerformanceCounter {
 public:
  std::int64_t frequency() const override { return 1'000'000'000; }
  std::int64_t counter() override;
  void spinUntil(std::int64_t target) override;
};

// Simulated time for tests and fast simulation: a wait jumps straight past
// its target, and every port access costs a configurable number of counts,
// so timing checks see realistic times while a whole chip takes milliseconds.
class VirtualPerformanceCounter final : public PerformanceCounter {
 public:
  explicit VirtualPerformanceCounter(std::int64_t frequency = 1'000'000'000,
                                     std::int64_t portAccessCost = 0)
      : frequency_(frequency), portAccessCost_(portAccessCost) {}

  std::int64_t frequency() const override { return frequency_; }
  std::int64_t counter() override { return now_; }
  void spinUntil(std::int64_t target) override {
    if (now_ <= target) now_ = target + 1;
  }

  void advance(std::int64_t counts) { now_ += counts; }
  void chargePortAccess() { now_ += portAccessCost_; }
  void setPortAccessCost(std::int64_t counts) { portAccessCost_ = counts; }
  std::int64_t portAccessCost() const { return portAccessCost_; }

 private:
  std::int64_t frequency_;
  std::int64_t portAccessCost_;
  std::int64_t now_ = 0;
};

// Passes accesses on to a port and charges each one to the virtual counter,
// the way a real port access takes time.
class VirtualTimePort final : public PortIo {
 public:
  VirtualTimePort(PortIo& inner, VirtualPerformanceCounter& counter)
      : inner_(inner), counter_(counter) {}
  void write(std::uint16_t address, std::uint8_t value) override {
    inner_.write(address, value);
    counter_.chargePortAccess();
  }
  std::uint8_t read(std::uint16_t address) override {
    std::uint8_t value = inner_.read(address);
    counter_.chargePortAccess();
    return value;
  }

 private:
  PortIo& inner_;
  VirtualPerformanceCounter& counter_;
};

}  // namespace kalmar
