#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "standin/standin_board.h"

namespace kalmar::standin {

// A simulated FT232R in synchronous bit-bang mode, as FTDI documents it
// (AN232R-01, the FT232R datasheet): each byte from the host stands on the
// pins for one period of the bit-bang clock (16 times the baud rate the
// divisor gives), and the pins are read just before each byte is written,
// one answer a byte; the board buffers 128 bytes from the host and 256 for
// it, and stops the pins while the latter is full. The USB (AN232B-04): a
// write arrives a quarter of a millisecond after it is sent; answers go to
// the host in packets of 62, a tenth of a millisecond after a packet fills,
// or when the latency timer (1 ms) runs out on a part-filled one, so a
// single answer takes a round trip of about a millisecond and long reads
// stream. Each USB library's stand-in puts its own calls over it.
struct Ft232r {
  static constexpr std::int64_t kLatencyTimerNs = 1'000'000;

  std::unique_ptr<Board> board;
  std::uint8_t latch = 0xFF;
  std::uint8_t outputs = 0;  // the bit-bang direction mask
  bool syncBitBang = false;
  int requested = -1;  // the line byte when the outputs were taken
  int released = -1;   // and when bit-bang was left
  std::int64_t periodNs = 1000;

  // The board with the simulated adapter and chip of the environment, null
  // when none is plugged in.
  static std::unique_ptr<Ft232r> plugIn();
  // The board's serial number: KALMAR_STANDIN_SERIAL, KALMAR01 when unset.
  static std::string serialNumber();

  // Plays every byte that has arrived and whose turn has come by `now`.
  void advance(std::int64_t now);
  // Bit-bang with these outputs (0: every pin an input), in sync mode or not.
  void setBitMode(std::uint8_t mask, bool sync);
  // Drops every byte and answer on its way.
  void purge();
  // Blocks until the board has taken every byte into its buffer from the
  // host; false when the buffer for the host stays full.
  bool write(std::span<const std::uint8_t> bytes);
  // One bulk transfer: the answers that have reached the host when it
  // ends, none when the latency timer runs out on an empty buffer.
  std::vector<std::uint8_t> transfer();
  // The answers that have reached the host by now, none taken.
  std::size_t answersArrived();
  // True when the device is away for this transfer.
  bool gone() { return !board || board->transferUnplugs(); }
  // Plays what is left, saves the chip and reports the lines.
  void close();

 private:
  struct Byte {
    std::uint8_t value;
    std::int64_t arrivalNs;
  };
  struct Answer {
    std::uint8_t value;
    std::int64_t readyNs;
  };
  bool playNext(std::int64_t now);
  void answer(std::uint8_t pins, std::int64_t timeNs);
  void drive(std::uint8_t value, std::int64_t timeNs);

  std::deque<Byte> toPins_;
  std::deque<Answer> answers_;
  std::int64_t pinsFreeNs_ = 0;   // when the last byte's period ends
  std::size_t packetFill_ = 0;    // answers in the packet being filled
  std::int64_t packetOpenNs_ = 0;
  bool stopped_ = false;          // the buffer for the host was full
  std::int64_t restartNs_ = 0;    // when the host last made room after a stop
};

}  // namespace kalmar::standin
