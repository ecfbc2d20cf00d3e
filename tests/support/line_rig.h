#pragma once

#include <cstdint>
#include <vector>

#include "link/line_protocol.h"
#include "link/performance_counter.h"
#include "link/timing.h"
#include "port/recording_port.h"

namespace kalmar::testing {

// The line protocol on virtual time over a recording port, so a test sees
// every byte written, when it was written, and scripts what the status
// register reads.
struct LineRig {
  explicit LineRig(std::int64_t frequency = 1'000'000'000, std::int64_t portAccessCost = 0)
      : counter(frequency, portAccessCost),
        recorder(nullptr, [this] { return counter.counter(); }),
        timedPort(recorder, counter),
        timing(counter),
        line(timedPort, timing) {
    timing.calibrate();
  }

  std::vector<std::uint8_t> written() const { return recorder.writtenBytes(); }

  VirtualPerformanceCounter counter;
  RecordingPort recorder;
  VirtualTimePort timedPort;
  TimingState timing;
  LineProtocol line;
};

// Reconstructs what the chip latches from a stream of line bytes: the data
// line's level at every falling clock edge (clock low is D1 = 1; data high
// is D0 = 0), in order.
inline std::vector<int> bitsAtFallingEdges(const std::vector<std::uint8_t>& bytes,
                                           bool clockHighBefore = false) {
  std::vector<int> bits;
  bool clockHigh = clockHighBefore;
  for (std::uint8_t raw : bytes) {
    std::uint8_t byte = raw == 0x46 ? 0 : raw;
    bool nowHigh = (byte & 0x02) == 0;
    if (clockHigh && !nowHigh) bits.push_back((byte & 0x01) ? 0 : 1);
    clockHigh = nowHigh;
  }
  return bits;
}

inline unsigned valueOfBits(const std::vector<int>& bits, std::size_t first, std::size_t count) {
  unsigned value = 0;
  for (std::size_t i = 0; i < count && first + i < bits.size(); ++i)
    value |= static_cast<unsigned>(bits[first + i]) << i;
  return value;
}

}  // namespace kalmar::testing
