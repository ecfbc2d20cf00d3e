#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace kalmar {

// Standard parallel port addresses: LPT1 and LPT2 data registers. The status
// register sits at data register + 1.
inline constexpr std::uint16_t kLpt1Data = 0x378;
inline constexpr std::uint16_t kLpt2Data = 0x278;
inline constexpr std::uint16_t statusRegister(std::uint16_t dataRegister) {
  return static_cast<std::uint16_t>(dataRegister + 1);
}

// The adapter idle: both supplies off, clock and data low (it inverts D0-D3).
inline constexpr std::uint8_t kAdapterIdle = 0x0F;
// The status register byte of a backend that has none: bit 6 the adapter's
// read-back line as its pin reads, the other bits as an idle parallel port's.
inline constexpr std::uint8_t statusOfReadBack(bool high) {
  return high ? 0xC7 : 0x87;
}

// One step of a frame: the byte written to the data register, and whether
// the data line is sampled (one read of the status register) while it stands.
struct LineStep {
  std::uint8_t state = 0;
  bool sample = false;
};

// A run of line states sent as one piece: a command, a data frame, a read
// frame. Every state stands for holdCounts counts of the line protocol's
// counter, measured from a reading taken as soon as its write has returned,
// so a write held up by the scheduler or a slow port never shortens it; a
// sample comes between that reading and the hold's end.
struct LineFrame {
  std::uint16_t dataRegister = 0;
  std::span<const LineStep> steps;
  std::int64_t holdCounts = 0;
};

// What the line protocol lends a port for the length of a frame: the
// counter every hold is measured on, and the stop.
class FramePace {
 public:
  virtual ~FramePace() = default;
  virtual std::int64_t frequency() = 0;  // counts per second
  virtual std::int64_t counter() = 0;
  // Waits until counter() exceeds target; never returns early.
  virtual void spinUntil(std::int64_t target) = 0;
  // Asked before each state is written. With a stop pending the line
  // protocol puts the adapter idle itself (one write of the idle state
  // through this port) and hands the stop to the front end, which normally
  // ends the process there; it answers true if that returns, and the port
  // then writes nothing for the state and goes on with the frame as though
  // it had. Stops held by the line protocol answer false.
  virtual bool takeStop() = 0;
};

// The one seam between the programmer and the adapter: a byte written to an
// I/O address, a byte read from one, and a frame of line states. Write1 and
// Read_ASM in the line protocol make the single writes and reads, and its
// step sequences go out as frames.
class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual void write(std::uint16_t address, std::uint8_t value) = 0;
  virtual std::uint8_t read(std::uint16_t address) = 0;

  // Runs a frame and leaves in `statuses` the status register bytes its
  // samples read, in order, one per sampled step (samples beyond its size are
  // read and dropped). This runs it step by step: take a pending stop or
  // write the state, read the counter, sample if marked, hold from that
  // reading. An adapter that sends frames in bursts overrides it, keeps every
  // hold at least holdCounts long and its samples within their states, and
  // asks takeStop() at least before each burst, putting nothing of a burst on
  // the wire once it answers true. The ports that wrap another (recorder,
  // router, virtual time) keep this one: the port below sees single accesses.
  virtual void runFrame(const LineFrame& frame, FramePace& pace, std::span<std::uint8_t> statuses) {
    const std::uint16_t status = statusRegister(frame.dataRegister);
    std::size_t sampled = 0;
    for (const LineStep& step : frame.steps) {
      if (!pace.takeStop()) write(frame.dataRegister, step.state);
      const std::int64_t t0 = pace.counter();
      if (step.sample) {
        const std::uint8_t value = read(status);
        if (sampled < statuses.size()) statuses[sampled] = value;
        ++sampled;
      }
      pace.spinUntil(t0 + frame.holdCounts);
    }
  }

  // Keeps the line's last state for at least `counts` of the pace's counter
  // from the moment it stands on the line: the waits between frames (a
  // programming cycle, the supplies settling). This one waits from now,
  // which is that moment for a port whose writes are on the line when they
  // return; an adapter that queues writes measures from the end of its queue
  // and may send what it holds meanwhile.
  virtual void hold(std::int64_t counts, FramePace& pace) {
    pace.spinUntil(pace.counter() + counts);
  }

  // A frame whose samples are wanted only later: they are in `statuses` by
  // the time settle() returns (which the caller keeps alive until then).
  // This one runs it at once. An adapter whose reads cost a round trip
  // sends queued frames with the next burst and answers them together.
  virtual void queueFrame(const LineFrame& frame, FramePace& pace,
                          std::span<std::uint8_t> statuses) {
    runFrame(frame, pace, statuses);
  }
  virtual void settle(FramePace&) {}
  // True when queueFrame leaves samples for settle(): a caller then gains
  // by asking for many before it needs them.
  virtual bool queuesFrames() const { return false; }
};

// A port nobody can reach: writes are lost and reads yield 0, exactly as the
// closed Windows driver behaves, so the programmer check reports no programmer.
class NonePort final : public PortIo {
 public:
  void write(std::uint16_t, std::uint8_t) override {}
  std::uint8_t read(std::uint16_t) override { return 0; }
};

// The outcome of choosing a backend for a port address.
struct PortOpenResult {
  std::unique_ptr<PortIo> port;  // for the caller to own; a NonePort when nothing opened
  bool opened = false;
  std::string device;  // e.g. "/dev/parport0"
  std::string reason;  // the system's reason when nothing opened
  std::string need;    // what the user needs for it, when the backend knows better
};

// A device that could not be opened: a NonePort in its place, and why.
inline PortOpenResult notOpened(std::string device, std::string reason, std::string need = {}) {
  return {std::make_unique<NonePort>(), false, std::move(device), std::move(reason),
          std::move(need)};
}

}  // namespace kalmar
