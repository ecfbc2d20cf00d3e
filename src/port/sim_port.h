#pragma once

#include <cstdint>
#include <functional>

#include "port/port_io.h"
#include "sim/sim_adapter.h"

namespace kalmar {

// The simulated adapter behind the ordinary port interface, so the program
// drives it exactly as it drives a real one. It answers on any port address:
// even offsets are the data register, odd ones the status register.
class SimPort final : public PortIo {
 public:
  using NanosecondClock = std::function<std::int64_t()>;

  SimPort(sim::SimAdapter& adapter, NanosecondClock clock)
      : adapter_(adapter), clock_(std::move(clock)) {}

  void write(std::uint16_t address, std::uint8_t value) override {
    if ((address & 1) == 0) adapter_.writeData(value, clock_());
  }
  std::uint8_t read(std::uint16_t address) override {
    if ((address & 1) == 0) return adapter_.dataRegister();
    return adapter_.readStatus(clock_());
  }

 private:
  sim::SimAdapter& adapter_;
  NanosecondClock clock_;
};

}  // namespace kalmar
