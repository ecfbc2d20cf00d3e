#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "port/adapter_pins.h"
#include "port/port_io.h"

namespace kalmar {

// The byte stream of an FT232R in synchronous bit-bang mode, without the
// USB: line states become pin bytes, each standing one period of the
// bit-bang clock, and the board's answers (the pins just before each byte
// was written) become the status bytes of the samples asked for.
class FtdiStream {
 public:
  // One byte a microsecond (each USB library's setByteClock).
  static constexpr std::int64_t kBytePeriodNs = 1000;
  // The FT232R's datasheet: a 128-byte transmit buffer (from the host) and
  // a 256-byte receive buffer (to the host, where synchronous bit-bang puts
  // the answers); the pins stop while the latter is full. With no more than
  // 256 bytes left unanswered they never stop, and the end of what was sent
  // can be bounded from the host's clock alone. A frame whose answers are
  // awaited anyway may leave both buffers' worth unanswered: a stop then
  // only lengthens its states, and the write can always complete.
  static constexpr std::size_t kUnansweredNeverStops = 256;
  static constexpr std::size_t kFromHostBuffer = 128;
  static constexpr std::size_t kUnansweredMax = 384;
  // AN232B-04: answers go to the host in USB packets of 64 bytes, two of
  // them the modem status; a full packet goes at once, a part-filled one
  // only when the latency timer runs out. An answer followed by this many
  // bytes less one is in a full packet, whatever the packets' boundaries.
  static constexpr std::size_t kPacketAnswers = 62;

  explicit FtdiStream(const AdapterPins& pins) : pins_(pins) {}

  // The pin byte of a line byte.
  std::uint8_t levelsFor(std::uint8_t lineByte) const {
    return static_cast<std::uint8_t>(pins_.levelsFor(lineByte));
  }
  // Bytes that keep a state at least ns long (one at the least).
  static std::size_t bytesCovering(std::int64_t ns);

  // Queues `count` bytes of a state; the index of the first.
  std::uint64_t queueState(std::uint8_t lineByte, std::size_t count);
  // Queues a frame, bytesPerState bytes a state; a sampled state's status
  // goes to statuses (in order, as far as it reaches) once the answer to
  // the byte after it has come. The answers needed for the last sample, 0
  // when the frame has none.
  std::uint64_t queueFrame(std::span<const LineStep> steps, std::size_t bytesPerState,
                           std::span<std::uint8_t> statuses);
  // The status of the pins just before byte `index` goes to *slot.
  void wantSample(std::uint64_t index, std::uint8_t* slot);
  void dropWanted() { wanted_.clear(); }
  // The answers needed for every sample still wanted.
  std::uint64_t answersWanted() const;
  std::uint8_t state() const { return state_; }

  std::size_t pendingCount() const { return pending_.size() - pendingStart_; }
  // What may be sent now: queued bytes, no more than `limit` unanswered.
  std::size_t roomForUnanswered(std::size_t limit) const;
  std::span<const std::uint8_t> pendingFront(std::size_t count) const;
  void markSent(std::size_t count);
  std::uint64_t written() const { return written_; }
  std::uint64_t answered() const { return answered_; }
  // The board's answers, in order.
  void takeAnswers(std::span<const std::uint8_t> answers);

 private:
  struct Wanted {
    std::uint64_t index;
    std::uint8_t* slot;
  };
  std::uint8_t statusOf(std::uint8_t answer) const;

  AdapterPins pins_;
  std::vector<std::uint8_t> pending_;
  std::size_t pendingStart_ = 0;
  std::uint64_t queued_ = 0;
  std::uint64_t written_ = 0;
  std::uint64_t answered_ = 0;
  std::vector<Wanted> wanted_;
  std::uint8_t state_ = kAdapterIdle;
};

}  // namespace kalmar
