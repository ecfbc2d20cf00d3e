#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "port/adapter_pins.h"
#include "sim/sim_adapter.h"
#include "sim/sim_chip.h"

namespace kalmar::standin {

// The simulated adapter and chip behind a stand-in for a bit-bang device's
// library or system interface, so the simulator judges every pin change the
// program makes through the real backend. Set up from the environment:
//   KALMAR_STANDIN_CHIP    the simulated chip's file (made when missing; saved at close)
//   KALMAR_STANDIN_KIND    the kind of a new chip (PIC16F84A when unset)
//   KALMAR_STANDIN_PINS    the pin map, as --pins takes it (the backend's default when unset)
//   KALMAR_STANDIN_REPORT  where the simulator's findings go at close
//   KALMAR_STANDIN_UNPLUG  the device goes away after this many transfers
//   KALMAR_STANDIN_AWAY    and comes back after refusing this many (never when unset)
// The report gives the simulator's violations and warnings, the span from
// the first to the last change of an output, and its events.
class Board {
 public:
  // Null when KALMAR_STANDIN_CHIP is unset (no device is plugged in) or its
  // file cannot be read (told on stderr).
  static std::unique_ptr<Board> fromEnvironment(const AdapterPins& defaults, bool ftdiNames);
  ~Board();

  // The output pins' levels (pin n is bit n) from this moment on.
  void setOutputs(std::uint64_t levels, std::int64_t timeNs);
  // Every pin's level now: the outputs as set, the read-back pin from the
  // adapter, other pins high (pulled up).
  std::uint64_t pins(std::int64_t timeNs);
  // One transfer more; true when the device is away for it.
  bool transferUnplugs();
  bool unplugged() const { return unplugged_; }
  const AdapterPins& map() const { return pins_; }
  // The parallel port's line byte (D0-D3) the outputs' levels stand for.
  std::uint8_t lineByte(std::uint64_t levels) const { return pins_.lineByteOf(levels); }
  // Adds the lines' byte when they were taken and when given back to the
  // report ("requested 0F", "released 0F"), after close().
  void reportLines(std::uint8_t requested, std::uint8_t released) const;
  // Saves the chip and writes the report; later calls do nothing.
  void close();

 private:
  Board() = default;

  AdapterPins pins_{};
  std::string chipFile_;
  std::string reportFile_;
  std::unique_ptr<sim::SimChip> chip_;
  std::unique_ptr<sim::SimAdapter> adapter_;
  std::uint64_t outputs_ = ~std::uint64_t{0};
  std::int64_t firstChangeNs_ = -1;  // the first and last change of an output
  std::int64_t lastChangeNs_ = -1;
  long long transfersLeft_ = -1;  // -1: never unplugged
  long long awayLeft_ = -1;       // transfers refused once unplugged; -1: for good
  bool unplugged_ = false;
  bool closed_ = false;
};

// The monotonic clock in nanoseconds, the one the program's counter reads.
std::int64_t nowNs();
// Sleeps until the monotonic clock reaches timeNs.
void sleepUntilNs(std::int64_t timeNs);

}  // namespace kalmar::standin
