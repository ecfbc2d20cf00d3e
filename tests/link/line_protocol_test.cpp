#include "link/line_protocol.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <sstream>

#include "link/stop_request.h"
#include "support/line_rig.h"

namespace kalmar::testing {
namespace {

std::vector<std::uint8_t> parseBytes(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::uint8_t> bytes;
  unsigned value;
  while (in >> std::hex >> value) bytes.push_back(static_cast<std::uint8_t>(value));
  return bytes;
}

// The stored command sequences, written out as the wire definition.
const std::map<std::uint8_t, std::string> kCommandTable = {
    {0x00, "03 01 03 01 03 01 03 01 03 01 03 01 03 02"},
    {0x01, "03 00 02 03 01 03 01 03 01 03 01 03 01 03 02"},
    {0x02, "03 01 03 00 02 03 01 03 01 03 01 03 01 03 02"},
    {0x03, "03 00 02 03 00 02 03 01 03 01 03 01 03 01 03"},
    {0x04, "03 01 03 01 03 00 02 03 01 03 01 03 01 03"},
    {0x05, "03 00 02 03 01 03 00 02 03 01 03 01 03 01"},
    {0x06, "03 01 03 00 02 03 00 02 03 01 03 01 03 01 03 02"},
    {0x07, "03 00 02 03 00 02 03 00 02 03 01 03 01 03 01 03 02"},
    {0x08, "03 01 03 01 03 01 03 00 02 03 01 03 01 03 02"},
    {0x09, "03 00 02 03 01 03 01 03 00 02 03 01 03 01 03 02"},
    {0x0B, "03 00 02 03 00 02 03 01 03 00 02 03 01 03 01 03 02"},
};

TEST(SendCommand, EveryStoredSequenceGoesOutByteForByteAndCarriesItsCode) {
  for (const auto& [code, text] : kCommandTable) {
    LineRig rig;
    rig.line.SendCommand(code);
    EXPECT_EQ(rig.written(), parseBytes(text)) << "command " << int(code);
    // The chip latches six bits LSB first on the falling edges. 05h's last
    // edge is the read frame's first step, so it shows five here.
    auto bits = bitsAtFallingEdges(rig.written());
    if (code == 0x05) {
      ASSERT_EQ(bits.size(), 5u);
      bits.push_back(rig.written().back() == 0x01 ? 0 : 1);
    }
    ASSERT_EQ(bits.size(), 6u) << "command " << int(code);
    EXPECT_EQ(valueOfBits(bits, 0, 6), code) << "command " << int(code);
  }
}

TEST(SendCommand, CodeWithoutSequenceSendsNothing) {
  LineRig rig;
  rig.line.SendCommand(0x0C);
  rig.line.SendCommand(0x3F);
  EXPECT_TRUE(rig.written().empty());
}

TEST(SendCommand, ReadDataMemoryLeavesClockHighForTheReadFrame) {
  LineRig rig;
  rig.line.SendCommand(0x05);
  ASSERT_FALSE(rig.written().empty());
  EXPECT_EQ(rig.written().back() & 0x02, 0) << "clock must stay high";
  rig.recorder.clear();
  rig.line.ReadDataWord(Sampler::Read5);
  EXPECT_EQ(rig.written().front(), 0x02) << "the frame's first step lowers the clock";
}

TEST(LoadDataWord, SendsStartBitValueLsbFirstAndStopBitIn49Steps) {
  for (std::uint16_t value : {0x2AAA, 0x0000, 0x3FFF, 0x00A5, 0x1234}) {
    LineRig rig;
    rig.line.LoadDataWord(value);
    auto bytes = rig.written();
    EXPECT_EQ(bytes.size(), 49u);
    EXPECT_EQ((std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 4)),
              (std::vector<std::uint8_t>{3, 1, 3, 3}));
    EXPECT_EQ(bytes.back(), 0x02) << "the data line is released at the end";
    auto bits = bitsAtFallingEdges(bytes);
    ASSERT_EQ(bits.size(), 16u);
    EXPECT_EQ(bits.front(), 0) << "start bit";
    EXPECT_EQ(bits.back(), 0) << "stop bit";
    EXPECT_EQ(valueOfBits(bits, 1, 14), value);
  }
}

TEST(LoadDataWord, AlternatingWordPutsZeroFirstAndByteLeavesHighBitsZero) {
  LineRig rig;
  rig.line.LoadDataWord(0x2AAA);
  auto bits = bitsAtFallingEdges(rig.written());
  EXPECT_EQ(bits[1], 0);
  EXPECT_EQ(bits[2], 1);

  LineRig byteRig;
  byteRig.line.LoadDataWord(0xA5);
  auto byteBits = bitsAtFallingEdges(byteRig.written());
  for (int bit = 8; bit < 14; ++bit) EXPECT_EQ(byteBits[1 + bit], 0) << "bit " << bit;
}

TEST(LoadDataWord, BitsAboveThirteenNeverReachTheWire) {
  LineRig rig;
  rig.line.LoadDataWord(0xC000 | 0x0155);
  EXPECT_EQ(valueOfBits(bitsAtFallingEdges(rig.written()), 1, 14), 0x0155u);
}

TEST(FixedFrames, CarryTheirConstantsInStoredLengths) {
  struct Case {
    FixedFrame frame;
    std::size_t steps;
    unsigned value;
  };
  for (Case c : {Case{FixedFrame::AllOnes3FFF, 48, 0x3FFF}, Case{FixedFrame::Byte00FF, 42, 0xFF}}) {
    LineRig rig;
    rig.line.SendFixedFrame(c.frame);
    auto bits = bitsAtFallingEdges(rig.written());
    EXPECT_EQ(rig.written().size(), c.steps);
    ASSERT_EQ(bits.size(), 16u);
    EXPECT_EQ(bits.front(), 0);
    EXPECT_EQ(bits.back(), 0);
    EXPECT_EQ(valueOfBits(bits, 1, 14), c.value);
    EXPECT_EQ(rig.written().back(), 0x02);
  }
}

TEST(ReadDataWord, SamplesFourteenTimesOnRisingEdgesAndAssemblesLsbFirst) {
  LineRig rig;
  // Status bit 6 is the data line inverted: 0x00 reads as 1, 0x40 as 0.
  const std::uint16_t wanted = 0x2A5C;
  for (int bit = 0; bit < 14; ++bit) rig.recorder.scriptRead((wanted >> bit) & 1 ? 0x00 : 0x40);
  EXPECT_EQ(rig.line.ReadDataWord(Sampler::Read4), wanted);

  auto bytes = rig.written();
  EXPECT_EQ(bytes.size(), 33u);
  int reads = 0;
  for (const PortAccess& access : rig.recorder.accesses()) {
    if (!access.isWrite) {
      ++reads;
      EXPECT_EQ(access.address, 0x379);
    } else {
      EXPECT_NE(access.value, 0x46) << "the sample marker never reaches the port";
      EXPECT_EQ(access.address, 0x378);
    }
  }
  EXPECT_EQ(reads, 14);
  // Every sample directly follows the write that raised the clock.
  const auto& accesses = rig.recorder.accesses();
  for (std::size_t i = 0; i < accesses.size(); ++i) {
    if (accesses[i].isWrite) continue;
    ASSERT_GT(i, 0u);
    EXPECT_EQ(accesses[i - 1].value, 0x00);
    EXPECT_EQ(accesses[i - 1].time, accesses[i].time);
  }
}

TEST(ReadDataWord, AllOnesAndAllZeros) {
  LineRig ones;
  ones.recorder.scriptRead(0x00);
  EXPECT_EQ(ones.line.ReadDataWord(Sampler::Read6), 0x3FFF);
  LineRig zeros;
  zeros.recorder.scriptRead(0xBF | 0x40);
  EXPECT_EQ(zeros.line.ReadDataWord(Sampler::Read6), 0);
}

TEST(SampleStores, ProgramReadFillsRowsOfEightWords) {
  LineRig rig;
  rig.recorder.scriptRead(0x00);  // every sample 1
  SampleStore& store = rig.line.store(Sampler::Read3);
  store.rewind();
  for (int word = 0; word < 9; ++word) rig.line.ReadDataWord(Sampler::Read3);
  EXPECT_EQ(store.wordPosition(), 9u);
  EXPECT_EQ(store.rowBit(2, 1, 14), 1) << "the ninth word starts row 2";
  EXPECT_EQ(store.rowBit(2, 2, 1), 0);
  EXPECT_EQ(store.word(8), 0x3FFF);
}

TEST(SampleStores, SingleWordStoreNeedsRewindAndNeverOverflows) {
  LineRig rig;
  rig.recorder.scriptRead(0x00);
  SampleStore& readBack = rig.line.store(Sampler::Read4);
  readBack.setBitPosition(1);
  rig.line.ReadDataWord(Sampler::Read4);
  EXPECT_EQ(readBack.word(0), 0x3FFF);
  rig.recorder.scriptRead(0x40);
  rig.line.ReadDataWord(Sampler::Read4);  // caller forgot to rewind: dropped
  EXPECT_EQ(readBack.word(0), 0x3FFF);
  readBack.setBitPosition(1);
  EXPECT_EQ(rig.line.ReadDataWord(Sampler::Read4), 0);
  EXPECT_EQ(readBack.word(0), 0);

  SampleStore& data = rig.line.store(Sampler::Read5);
  data.rewind();
  for (int i = 0; i < 200; ++i) rig.line.ReadDataWord(Sampler::Read5);  // past 128 words
  EXPECT_EQ(data.word(127), 0);
  EXPECT_EQ(data.word(500), 0);
}

TEST(AssembleWord, FirstSampleIsBitZero) {
  std::uint8_t samples[14] = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(assembleWord(samples), 0x2001);
}

TEST(ProgrammingMode, EntryPowersInOrderAndExitHoldsWhenAsked) {
  LineRig rig;
  rig.line.EnterProgrammingMode();
  const auto& entry = rig.recorder.accesses();
  ASSERT_EQ(entry.size(), 2u);
  EXPECT_EQ(entry[0].value, 0x0B);
  EXPECT_EQ(entry[1].value, 0x03);
  EXPECT_GE(entry[1].time - entry[0].time, 4'000'000) << "4 ms between the supplies";
  std::int64_t afterEntry = rig.counter.counter();
  EXPECT_GE(afterEntry - entry[1].time, 4'000'000);

  rig.recorder.clear();
  rig.line.ExitProgrammingMode(false);
  EXPECT_EQ(rig.written(), (std::vector<std::uint8_t>{0x0B, 0x0F}));
  EXPECT_EQ(rig.counter.counter() - rig.recorder.accesses()[1].time, 0) << "returns at once";

  rig.recorder.clear();
  rig.line.ExitProgrammingMode(true);
  EXPECT_GT(rig.counter.counter() - rig.recorder.accesses()[1].time, 8000) << "one more unit";
}

TEST(LineTiming, EveryStepHoldsAtLeastOneUnitWhateverThePortCosts) {
  for (std::int64_t cost : {0, 1500, 9000}) {
    for (double slowdown : {1.0, 5.0}) {
      LineRig rig(1'000'000'000, cost);
      rig.timing.setSlowdownFactor(slowdown);
      rig.line.SendCommand(0x04);
      rig.recorder.scriptRead(0x00);
      rig.line.ReadDataWord(Sampler::Read3);
      rig.line.LoadDataWord(0x1234);
      std::int64_t unit = rig.timing.unitCounts();
      std::vector<std::int64_t> writes;
      for (const PortAccess& access : rig.recorder.accesses())
        if (access.isWrite) writes.push_back(access.time);
      for (std::size_t i = 1; i < writes.size(); ++i)
        ASSERT_GE(writes[i] - writes[i - 1], unit) << "step " << i << " cost " << cost;
    }
  }
}

TEST(LineTiming, StepWritesFirstThenSamplesWithinTheSameUnit) {
  LineRig rig(1'000'000'000, 1000);
  rig.recorder.scriptRead(0x00);
  rig.line.step(0x46, Sampler::Read6);
  const auto& accesses = rig.recorder.accesses();
  ASSERT_EQ(accesses.size(), 2u);
  EXPECT_TRUE(accesses[0].isWrite);
  EXPECT_FALSE(accesses[1].isWrite);
  EXPECT_EQ(accesses[1].time - accesses[0].time, 1000) << "the sample follows the write at once";
  EXPECT_EQ(rig.counter.counter(), 9001) << "a full unit after the write has returned";
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// A stop signal: the next line write puts the adapter idle and hands over.
TEST(StopRequest, TheNextWriteGoesIdleAndCallsTheFrontEnd) {
  LineRig rig;
  int stoppedBy = 0;
  rig.line.setStopHandler([&](int signal) { stoppedBy = signal; });
  rig.line.Write1(0x03);
  requestStop(SIGINT);
  rig.line.Write1(0x03);
  clearStop();
  EXPECT_EQ(rig.written(), (std::vector<std::uint8_t>{0x03, 0x0F}));
  EXPECT_EQ(stoppedBy, SIGINT);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// A burst adapter's view: every frame whole, the samples answered from a
// script of data-line levels.
class FramePort final : public PortIo {
 public:
  struct Frame {
    std::uint16_t dataRegister;
    std::vector<LineStep> steps;
    std::int64_t holdCounts;
  };

  void write(std::uint16_t, std::uint8_t value) override { singles.push_back(value); }
  std::uint8_t read(std::uint16_t) override { return 0; }
  void runFrame(const LineFrame& frame, FramePace&, std::span<std::uint8_t> statuses) override {
    frames.push_back(
        {frame.dataRegister, {frame.steps.begin(), frame.steps.end()}, frame.holdCounts});
    std::size_t sampled = 0;
    for (const LineStep& step : frame.steps) {
      if (!step.sample) continue;
      statuses[sampled] = levels.at(sampled) ? 0x00 : 0x40;  // status bit 6 inverted
      ++sampled;
    }
  }

  std::vector<Frame> frames;
  std::vector<std::uint8_t> singles;
  std::vector<int> levels;
};

std::vector<std::uint8_t> statesOf(const FramePort::Frame& frame) {
  std::vector<std::uint8_t> states;
  for (const LineStep& step : frame.steps) states.push_back(step.state);
  return states;
}

TEST(Frames, CommandsDataAndReadsReachThePortWholeAndItsSamplesMakeTheWord) {
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  timing.calibrate();
  FramePort port;
  LineProtocol line(port, timing, kLpt2Data);
  const std::uint16_t wanted = 0x2A5C;
  for (int bit = 0; bit < 14; ++bit) port.levels.push_back((wanted >> bit) & 1);

  line.SendCommand(command::kReadDataProgram);
  line.LoadDataWord(0x1234);
  {
    FastLine fast(line);
    EXPECT_EQ(line.ReadDataWord(Sampler::Read6), wanted);
  }
  EXPECT_TRUE(port.singles.empty()) << "no step goes out on its own";
  ASSERT_EQ(port.frames.size(), 3u);
  const auto command = commandSteps(command::kReadDataProgram);
  EXPECT_EQ(statesOf(port.frames[0]), std::vector<std::uint8_t>(command.begin(), command.end()));
  const auto data = dataFrameSteps(0x1234);
  EXPECT_EQ(statesOf(port.frames[1]), std::vector<std::uint8_t>(data.begin(), data.end()));
  for (const FramePort::Frame& frame : port.frames) EXPECT_EQ(frame.dataRegister, kLpt2Data);
  EXPECT_EQ(port.frames[0].holdCounts, 8000) << "one 8 µs unit";
  EXPECT_EQ(port.frames[2].holdCounts, 1000) << "the chips' own 1 µs pace";

  // The read frame: the marker goes out as 00h and marks the sample.
  const auto read = readFrameSteps();
  const FramePort::Frame& readFrame = port.frames[2];
  ASSERT_EQ(readFrame.steps.size(), read.size());
  for (std::size_t i = 0; i < read.size(); ++i) {
    const bool marked = read[i] == line::kSampleMarker;
    EXPECT_EQ(readFrame.steps[i].sample, marked) << "step " << i;
    EXPECT_EQ(readFrame.steps[i].state, marked ? 0x00 : read[i]) << "step " << i;
  }
  EXPECT_EQ(line.store(Sampler::Read6).word(0), wanted);
}

// A stop that comes while a frame runs: the rest of the frame puts the
// adapter idle, each step still held, and the front end hears of it.
TEST(Frames, AStopInTheMiddleOfAFrameTurnsTheRestIdle) {
  struct StopAtThirdWrite final : PortIo {
    void write(std::uint16_t, std::uint8_t) override {
      if (++writes == 3) requestStop(SIGINT);
    }
    std::uint8_t read(std::uint16_t) override { return 0; }
    int writes = 0;
  } inner;
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  RecordingPort recorder(&inner, [&] { return counter.counter(); });
  LineProtocol line(recorder, timing);
  std::vector<int> stops;
  line.setStopHandler([&](int signal) { stops.push_back(signal); });
  line.SendCommand(command::kIncrementAddress);
  clearStop();

  std::vector<std::uint8_t> wanted = {0x03, 0x01, 0x03};
  wanted.resize(commandSteps(command::kIncrementAddress).size(), line::kIdle);
  EXPECT_EQ(recorder.writtenBytes(), wanted);
  EXPECT_EQ(stops, std::vector<int>(wanted.size() - 3, SIGINT));
  const auto& accesses = recorder.accesses();
  for (std::size_t i = 1; i < accesses.size(); ++i)
    EXPECT_GT(accesses[i].time - accesses[i - 1].time, timing.unitCounts()) << "step " << i;
}

}  // namespace
}  // namespace kalmar::testing
