#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>

#include "link/sample_store.h"
#include "link/step_sequences.h"
#include "link/timing.h"
#include "model/buffer.h"
#include "port/port_io.h"

namespace kalmar {

// Which sample store a read frame fills: one per kind of read.
enum class Sampler {
  Read3,  // program memory read: rows of 8 words
  Read4,  // read-back of one word just written
  Read5,  // data memory read
  Read6,  // configuration word read
  Read7,  // ID locations read
};

// The bit level of the programmer: every change of the adapter's lines is
// one port write held for one timing unit; the chip's data line is read back
// through status bit 6. A step sequence (a command, a data or read frame)
// goes to the port as one frame. Nothing here detects failures: callers
// compare what they read with what they expect.
class LineProtocol : private FramePace {
 public:
  static constexpr std::size_t kProgramSampleWords = kMaxProgramWords;
  static constexpr std::size_t kDataSampleWords = kMaxDataBytes;
  static constexpr std::size_t kIdSampleWords = 8;

  LineProtocol(PortIo& port, TimingState& timing, std::uint16_t dataRegister = kLpt1Data);

  void setDataRegister(std::uint16_t address) { dataRegister_ = address; }
  std::uint16_t dataRegister() const { return dataRegister_; }
  TimingState& timing() { return timing_; }

  // Writes a line byte; the sample marker 46h goes out as 00h. Once a stop
  // is pending the adapter goes idle instead and the stop handler runs.
  void Write1(std::uint8_t byte);
  // What a pending stop does after the idle write: the front end ends the
  // process there. Without one, the line only stays idle.
  void setStopHandler(std::function<void(int signal)> handler) { onStop_ = std::move(handler); }
  // While held, a stop waits: the steps that must not be cut (an erase and
  // the write-back of what it must not lose) run to their end first; the
  // first line write after the release puts the adapter idle.
  void holdStops() { ++stopHolds_; }
  // Programming mode is entered with the second switch (D3) on first and
  // left with the first (D2) off first, instead of the other way round.
  void setSecondSupplyFirst(bool on) { secondSupplyFirst_ = on; }
  bool secondSupplyFirst() const { return secondSupplyFirst_; }
  // Low-voltage entry (the PIC12F1822 family, whose VPP limit is below the
  // adapter's): while set, every line byte keeps the VPP switch (D2) off,
  // whatever its writer asked, and programming mode is entered with VDD
  // alone and the key.
  void setLowVoltageEntry(bool on) { lowVoltage_ = on; }
  bool lowVoltageEntry() const { return lowVoltage_; }
  void releaseStops() { --stopHolds_; }
  // The data line as the chip drives it: 1 when status bit 6 reads 0.
  std::uint8_t Read_ASM();

  // The program's own waits by their names: n units, and one line hold.
  // Each keeps the line's last state; the port measures it from the moment
  // that state stands on the line.
  void Paus(std::int64_t units) { port_.hold(timing_.countsFor(units), *this); }
  void Paus1() { port_.hold(timing_.lineHoldCounts(), *this); }
  // n microseconds times the slow-down, never less (a chip's own cycle).
  void PausMicros(std::int64_t micros) { port_.hold(timing_.countsForMicros(micros), *this); }

  // One timed line step, a frame of one: write, counter reading, sample if
  // marked, hold one unit from that reading.
  void step(std::uint8_t byte, Sampler sampler = Sampler::Read4);
  // The steps as one frame (more than kMaxFrameSteps as several), each
  // sample stored in the sampler's store.
  void runSteps(std::span<const std::uint8_t> steps, Sampler sampler = Sampler::Read4);

  void EnterProgrammingMode();
  // finalHold keeps the idle state one more unit before returning.
  void ExitProgrammingMode(bool finalHold);
  // Sends one of the stored command sequences; a code with none sends nothing.
  void SendCommand(std::uint8_t code);
  void LoadDataWord(std::uint16_t value);
  void SendFixedFrame(FixedFrame frame);
  // Runs the read frame, filling the sampler's store, and yields the word
  // assembled from its 14 samples.
  std::uint16_t ReadDataWord(Sampler sampler);

  // The read half of every checked write: a read command whose frame fills
  // the sampler's store from its first bit.
  std::uint16_t readBackWord(std::uint8_t readCommand, Sampler sampler);

  SampleStore& store(Sampler sampler);

  // While a batch is open, read frames may go to the port queued (a USB
  // adapter answers many together): their samples reach the sample stores,
  // and the words asked for with readBackWordLater, when the batch settles,
  // in the order they were sent. A read that needs its word at once
  // (ReadDataWord) settles what is queued first. With a port that runs
  // frames at once (the parallel port) a batch changes nothing.
  void openBatch() { ++batches_; }
  void closeBatch() {
    settle();
    --batches_;
  }
  void settle();
  bool queuesFrames() const { return port_.queuesFrames(); }
  // The read-back of a checked write, its word in *word by the next settle.
  void readBackWordLater(std::uint8_t readCommand, Sampler sampler, std::uint16_t* word);

 private:
  // The longest frame handed to the port at once.
  static constexpr std::size_t kMaxFrameSteps = 64;

  // Runs the steps as frames; the first bits.size() samples also go to bits.
  void runFrames(std::span<const std::uint8_t> steps, Sampler sampler,
                 std::span<std::uint8_t> bits);
  // Sends the steps as queued frames (in a batch, to a port that queues).
  void queueFrames(std::span<const std::uint8_t> steps, Sampler sampler, bool restart,
                   std::uint16_t* word);
  bool queueing() const { return batches_ > 0 && port_.queuesFrames(); }
  // Frame steps of the line's bytes: the sample marker becomes a sampled 00h.
  std::size_t lineSteps(std::span<const std::uint8_t> steps, std::span<LineStep> frame);

  // A frame sent in a batch whose samples come at the settle.
  struct QueuedFrame {
    Sampler sampler;
    std::size_t samples = 0;
    bool restart = false;          // the store starts its word anew first
    std::uint16_t* word = nullptr;  // the word its first 14 samples make
    std::array<std::uint8_t, kMaxFrameSteps> statuses{};
  };
  std::deque<QueuedFrame> queued_;
  int batches_ = 0;

  // The port's view of the line while it runs a frame.
  std::int64_t frequency() override { return timing_.counter().frequency(); }
  std::int64_t counter() override { return timing_.counter().counter(); }
  void spinUntil(std::int64_t target) override { timing_.counter().spinUntil(target); }
  bool takeStop() override;

  PortIo& port_;
  TimingState& timing_;
  std::uint16_t dataRegister_;
  std::function<void(int)> onStop_;
  int stopHolds_ = 0;
  bool secondSupplyFirst_ = false;
  bool lowVoltage_ = false;
  std::uint8_t supplyFirstOn() const {
    return secondSupplyFirst_ || lowVoltage_ ? line::kSecondSupplyOn : line::kFirstSupplyOn;
  }
  std::uint8_t vppKeptOff(std::uint8_t byte) const {
    return lowVoltage_ ? static_cast<std::uint8_t>(byte | line::kFirstSwitchOff) : byte;
  }
  SampleStore read3_{kProgramSampleWords, false};
  SampleStore read4_{1, true};
  SampleStore read5_{kDataSampleWords, false};
  SampleStore read6_{1, true};
  SampleStore read7_{kIdSampleWords, false};
};

// The line at the pace of the chips' serial interface for its lifetime:
// each line state held 1 µs (times the slow-down), the setup and hold times
// of the programming specifications with room to spare, instead of a unit.
class FastLine {
 public:
  static constexpr double kLineHoldSeconds = 1e-6;
  explicit FastLine(LineProtocol& line) : timing_(line.timing()), before_(timing_.lineHold()) {
    timing_.setLineHold(kLineHoldSeconds);
  }
  ~FastLine() { timing_.setLineHold(before_); }
  FastLine(const FastLine&) = delete;
  FastLine& operator=(const FastLine&) = delete;

 private:
  TimingState& timing_;
  double before_;
};

// A batch of the line's frames for its lifetime (LineProtocol::openBatch).
class LineBatch {
 public:
  explicit LineBatch(LineProtocol& line) : line_(line) { line_.openBatch(); }
  ~LineBatch() { line_.closeBatch(); }
  LineBatch(const LineBatch&) = delete;
  LineBatch& operator=(const LineBatch&) = delete;

 private:
  LineProtocol& line_;
};

// Holds stops for its lifetime.
class StopHold {
 public:
  explicit StopHold(LineProtocol& line) : line_(line) { line_.holdStops(); }
  ~StopHold() { line_.releaseStops(); }
  StopHold(const StopHold&) = delete;
  StopHold& operator=(const StopHold&) = delete;

 private:
  LineProtocol& line_;
};

}  // namespace kalmar
