#include "link/line_protocol.h"

#include <algorithm>
#include <array>

#include "link/stop_request.h"

namespace kalmar {

namespace {
constexpr std::uint8_t kStatusDataBit = 0x40;  // nAck, connector pin 10
constexpr std::int64_t kSupplySettleUnits = 500;

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
  port_.write(dataRegister_, byte);
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

// The sample marker becomes a sampled 00h step. The hold is worked out once
// per frame: nothing it depends on changes while a frame runs.
void LineProtocol::runFrames(std::span<const std::uint8_t> steps, Sampler sampler,
                             std::span<std::uint8_t> bits) {
  std::array<LineStep, kMaxFrameSteps> frame;
  std::array<std::uint8_t, kMaxFrameSteps> statuses{};
  std::size_t taken = 0;
  while (!steps.empty()) {
    const std::size_t count = std::min(steps.size(), kMaxFrameSteps);
    std::size_t samples = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const bool sample = steps[i] == line::kSampleMarker;
      frame[i] = {sample ? line::kClockHighDataReleased : steps[i], sample};
      if (sample) ++samples;
    }
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

// First switch on (the chip's supply), settle, then the second (programming
// voltage) with clock and data low: the chip enters programming mode with
// its address counter at 0.
void LineProtocol::EnterProgrammingMode() {
  Write1(supplyFirstOn());
  Paus(kSupplySettleUnits);
  Write1(line::kClockLowDataLow);
  Paus(kSupplySettleUnits);
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
