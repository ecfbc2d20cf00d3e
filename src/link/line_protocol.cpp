#include "link/line_protocol.h"

#include "link/stop_request.h"

namespace kalmar {

namespace {
constexpr std::uint8_t kStatusDataBit = 0x40;  // nAck, connector pin 10
constexpr std::int64_t kSupplySettleUnits = 500;
}  // namespace

LineProtocol::LineProtocol(PortIo& port, TimingState& timing, std::uint16_t dataRegister)
    : port_(port), timing_(timing), dataRegister_(dataRegister) {}

void LineProtocol::Write1(std::uint8_t byte) {
  if (const int signal = stopHolds_ == 0 ? pendingStop() : 0) {
    port_.write(dataRegister_, line::kIdle);  // both supplies off, lines low
    if (onStop_) onStop_(signal);
    return;
  }
  if (byte == line::kSampleMarker) byte = line::kClockHighDataReleased;
  port_.write(dataRegister_, byte);
}

std::uint8_t LineProtocol::Read_ASM() {
  std::uint8_t status = port_.read(statusRegister(dataRegister_));
  return (status & kStatusDataBit) ? 0 : 1;
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

std::uint8_t LineProtocol::sampleInto(Sampler sampler) {
  std::uint8_t bit = Read_ASM();
  store(sampler).store(bit);
  return bit;
}

// The unit is counted from the counter reading taken as soon as the write
// has returned, so a write held up by the scheduler or a slow port can never
// shorten the time its line state stands.
void LineProtocol::step(std::uint8_t byte, Sampler sampler) {
  Write1(byte);
  std::int64_t t0 = timing_.counter().counter();
  if (byte == line::kSampleMarker) {
    std::uint8_t bit = sampleInto(sampler);
    if (frameSampleCount_ < kBitsPerWord) frameSamples_[frameSampleCount_] = bit;
    ++frameSampleCount_;
  }
  Paus1(t0);
}

void LineProtocol::runSteps(std::span<const std::uint8_t> steps, Sampler sampler) {
  for (std::uint8_t byte : steps) step(byte, sampler);
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
  std::int64_t t0 = timing_.counter().counter();
  if (finalHold) Paus1(t0);
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
  frameSampleCount_ = 0;
  runSteps(readFrameSteps(), sampler);
  return assembleWord(frameSamples_);
}

std::uint16_t LineProtocol::readBackWord(std::uint8_t readCommand, Sampler sampler) {
  SendCommand(readCommand);
  store(sampler).setBitPosition(1);
  return ReadDataWord(sampler);
}

}  // namespace kalmar
