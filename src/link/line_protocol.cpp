#include "link/line_protocol.h"

#include <algorithm>
#include <array>
#include <utility>

#include "link/stop_request.h"

namespace kalmar {

namespace {
constexpr std::uint8_t kStatusDataBit = 0x40;  // nAck, connector pin 10
constexpr std::int64_t kSupplySettleUnits = 500;
constexpr std::int64_t kKeyHoldMicros = 250;  // TENTH (DS41390, DS41439)

// The data line as the chip drives it, from a status register byte.
std::uint8_t dataLine(std::uint8_t status) {
  return (status & kStatusDataBit) ? 0 : 1;
}
}  // namespace

LineProtocol::LineProtocol(PortIo& port, TimingState& timing, std::uint16_t dataRegister)
    : port_(port), timing_(timing), dataRegister_(dataRegister) {}

// A pending stop puts the adapter idle, both supplies off and the lines
// low, before the front end hears of it.
bool LineProtocol::takeStop() {
  const int signal = stopHolds_ == 0 ? pendingStop() : 0;
  if (signal == 0) return false;
  port_.write(dataRegister_, line::kIdle);
  if (onStop_) onStop_(signal);
  return true;
}

void LineProtocol::Write1(std::uint8_t byte) {
  if (takeStop()) return;
  if (byte == line::kSampleMarker) byte = line::kClockHighDataReleased;
  port_.write(dataRegister_, vppKeptOff(byte));
}

std::uint8_t LineProtocol::Read_ASM() {
  return dataLine(port_.read(statusRegister(dataRegister_)));
}

SampleStore& LineProtocol::store(Sampler sampler) {
  switch (sampler) {
    case Sampler::Read3:
      return read3_;
    case Sampler::Read4:
      return read4_;
    case Sampler::Read5:
      return read5_;
    case Sampler::Read6:
      return read6_;
    case Sampler::Read7:
      return read7_;
  }
  return read4_;
}

void LineProtocol::step(std::uint8_t byte, Sampler sampler) {
  runSteps({&byte, 1}, sampler);
}

void LineProtocol::runSteps(std::span<const std::uint8_t> steps, Sampler sampler) {
  runFrames(steps, sampler, {});
}

std::size_t LineProtocol::lineSteps(std::span<const std::uint8_t> steps,
                                    std::span<LineStep> frame) {
  std::size_t samples = 0;
  for (std::size_t i = 0; i < steps.size(); ++i) {
    const bool sample = steps[i] == line::kSampleMarker;
    frame[i] = {vppKeptOff(sample ? line::kClockHighDataReleased : steps[i]), sample};
    if (sample) ++samples;
  }
  return samples;
}

// The sample marker becomes a sampled 00h step. The hold is worked out once
// per frame: nothing it depends on changes while a frame runs.
void LineProtocol::runFrames(std::span<const std::uint8_t> steps, Sampler sampler,
                             std::span<std::uint8_t> bits) {
  if (queueing() && bits.empty()) return queueFrames(steps, sampler, false, nullptr);
  if (!queued_.empty()) settle();
  std::array<LineStep, kMaxFrameSteps> frame;
  std::array<std::uint8_t, kMaxFrameSteps> statuses{};
  std::size_t taken = 0;
  while (!steps.empty()) {
    const std::size_t count = std::min(steps.size(), kMaxFrameSteps);
    const std::size_t samples = lineSteps(steps.first(count), frame);
    port_.runFrame({dataRegister_, {frame.data(), count}, timing_.lineHoldCounts()}, *this,
                   statuses);
    for (std::size_t k = 0; k < samples; ++k, ++taken) {
      const std::uint8_t bit = dataLine(statuses[k]);
      store(sampler).store(bit);
      if (taken < bits.size()) bits[taken] = bit;
    }
    steps = steps.subspan(count);
  }
}

void LineProtocol::queueFrames(std::span<const std::uint8_t> steps, Sampler sampler, bool restart,
                               std::uint16_t* word) {
  std::array<LineStep, kMaxFrameSteps> frame;
  while (!steps.empty()) {
    const std::size_t count = std::min(steps.size(), kMaxFrameSteps);
    QueuedFrame& queued = queued_.emplace_back();
    queued.sampler = sampler;
    queued.samples = lineSteps(steps.first(count), frame);
    queued.restart = std::exchange(restart, false);
    queued.word = std::exchange(word, nullptr);
    port_.queueFrame({dataRegister_, {frame.data(), count}, timing_.lineHoldCounts()}, *this,
                     queued.statuses);
    steps = steps.subspan(count);
  }
}

void LineProtocol::settle() {
  if (queued_.empty()) return;
  port_.settle(*this);
  for (const QueuedFrame& queued : queued_) {
    SampleStore& samples = store(queued.sampler);
    if (queued.restart) samples.setBitPosition(1);
    std::array<std::uint8_t, kBitsPerWord> bits{};
    for (std::size_t k = 0; k < queued.samples; ++k) {
      const std::uint8_t bit = dataLine(queued.statuses[k]);
      samples.store(bit);
      if (k < bits.size()) bits[k] = bit;
    }
    if (queued.word != nullptr) *queued.word = assembleWord(bits.data());
  }
  queued_.clear();
}

void LineProtocol::readBackWordLater(std::uint8_t readCommand, Sampler sampler,
                                     std::uint16_t* word) {
  if (!queueing()) {
    *word = readBackWord(readCommand, sampler);
    return;
  }
  SendCommand(readCommand);
  queueFrames(readFrameSteps(), sampler, true, word);
}

// First switch on (the chip's supply), settle, then the second (programming
// voltage) with clock and data low: the chip enters programming mode with
// its address counter at 0.
void LineProtocol::EnterProgrammingMode() {
  Write1(supplyFirstOn());
  Paus(kSupplySettleUnits);
  Write1(line::kClockLowDataLow);
  Paus(kSupplySettleUnits);
  if (!lowVoltage_) return;
  // VDD on and MCLR held low by the adapter: the key, then TENTH.
  runSteps(lowVoltageKeySteps());
  PausMicros(kKeyHoldMicros);
}

void LineProtocol::ExitProgrammingMode(bool finalHold) {
  step(supplyFirstOn());
  Write1(line::kIdle);
  if (finalHold) Paus1();
}

void LineProtocol::SendCommand(std::uint8_t code) {
  runSteps(commandSteps(code));
}

void LineProtocol::LoadDataWord(std::uint16_t value) {
  runSteps(dataFrameSteps(value));
}

void LineProtocol::SendFixedFrame(FixedFrame frame) {
  runSteps(fixedFrameSteps(frame));
}

std::uint16_t LineProtocol::ReadDataWord(Sampler sampler) {
  std::array<std::uint8_t, kBitsPerWord> bits{};
  runFrames(readFrameSteps(), sampler, bits);
  return assembleWord(bits.data());
}

std::uint16_t LineProtocol::readBackWord(std::uint8_t readCommand, Sampler sampler) {
  SendCommand(readCommand);
  store(sampler).setBitPosition(1);
  return ReadDataWord(sampler);
}

}  // namespace kalmar
