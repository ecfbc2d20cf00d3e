#pragma once

#include <cstdint>
#include <vector>

#include "link/line_protocol.h"
#include "link/performance_counter.h"
#include "link/step_sequences.h"
#include "port/sim_port.h"
#include "sim/sim_adapter.h"

namespace kalmar::testing {

// A simulated chip in a simulated adapter, driven by the real line protocol
// on virtual time (1 ns counts, 300 ns per port access).
struct SimRig {
  explicit SimRig(sim::ChipKind kind, double slowdown = 1.0)
      : chip(kind),
        adapter(chip),
        counter(1'000'000'000, 300),
        simPort(adapter, [this] { return counter.counter(); }),
        timedPort(simPort, counter),
        timing(counter),
        line(timedPort, timing) {
    timing.calibrate();
    timing.setSlowdownFactor(slowdown);
  }

  sim::SimLog& log() { return adapter.log(); }

  sim::SimChip chip;
  sim::SimAdapter adapter;
  VirtualPerformanceCounter counter;
  SimPort simPort;
  VirtualTimePort timedPort;
  TimingState timing;
  LineProtocol line;
};

// A configuration word the panel would compose for the chip, protection off.
inline std::uint16_t plainConfig(sim::ChipKind kind) {
  switch (sim::traitsOf(kind).family) {
    case sim::SimFamily::F84:
      return 0x3FF9;
    case sim::SimFamily::F62x:
      return 0x3F21;
    case sim::SimFamily::F62xA:
      return 0x3F30;
    case sim::SimFamily::F12F6:
      return 0x21C4;
    case sim::SimFamily::F81x:
      return 0x3F30;
    case sim::SimFamily::F716:
      return 0x20C2;
    case sim::SimFamily::F683:
      return 0x0FE4;
    case sim::SimFamily::F87xA:
      return 0x2F4A;
    case sim::SimFamily::F88x:
      return 0x2FE4;
    case sim::SimFamily::F1xxx:
      return 0x3FE4;
  }
  return 0x3FFF;
}

// Chip steps built only from the line primitives, the way the programmer's
// commands combine them.
namespace icsp {

// Any 6-bit command, whether the line protocol knows it or not (other
// programmers' sequences: 18h for data, End Programming, Row Erase), bit by bit.
inline void sendAnyCommand(LineProtocol& line, std::uint8_t code) {
  std::vector<std::uint8_t> steps{line::kClockLowDataLow};
  for (int bit = 0; bit < 6; ++bit) {
    if (((code >> bit) & 1) != 0)
      steps.insert(steps.end(), {line::kClockHighDataReleased, line::kClockLowDataReleased,
                                 line::kClockLowDataLow});
    else
      steps.insert(steps.end(), {line::kClockHighDataLow, line::kClockLowDataLow});
  }
  steps.push_back(line::kClockLowDataReleased);
  line.runSteps(steps);
}

inline void writeWord(LineProtocol& line, std::uint8_t loadCommand, std::uint16_t value) {
  line.SendCommand(loadCommand);
  line.LoadDataWord(value);
  line.SendCommand(command::kBeginProgramming);
  line.Paus(1000);
}

inline std::uint16_t readWord(LineProtocol& line, std::uint8_t readCommand) {
  line.SendCommand(readCommand);
  line.store(Sampler::Read4).setBitPosition(1);
  return line.ReadDataWord(Sampler::Read4);
}

inline void skip(LineProtocol& line, int count) {
  for (int i = 0; i < count; ++i) line.SendCommand(command::kIncrementAddress);
}

// Writes words from address 0 with read-back; returns the read-back values.
inline std::vector<std::uint16_t> writeProgram(LineProtocol& line,
                                               const std::vector<std::uint16_t>& words) {
  std::vector<std::uint16_t> readBack;
  line.EnterProgrammingMode();
  for (std::uint16_t word : words) {
    writeWord(line, command::kLoadDataProgram, word);
    readBack.push_back(readWord(line, command::kReadDataProgram));
    line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(true);
  return readBack;
}

inline std::vector<std::uint16_t> readProgram(LineProtocol& line, int count) {
  std::vector<std::uint16_t> words;
  line.EnterProgrammingMode();
  for (int i = 0; i < count; ++i) {
    words.push_back(readWord(line, command::kReadDataProgram));
    line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(false);
  return words;
}

// Word at 2000h + offset (IDs 0..3, configuration 7).
inline std::uint16_t readConfigSpace(LineProtocol& line, int offset) {
  line.EnterProgrammingMode();
  line.SendCommand(command::kLoadConfiguration);
  line.SendFixedFrame(FixedFrame::AllOnes3FFF);
  skip(line, offset);
  std::uint16_t word = readWord(line, command::kReadDataProgram);
  line.ExitProgrammingMode(false);
  return word;
}

inline std::uint16_t writeConfigSpace(LineProtocol& line, int offset, std::uint16_t value) {
  line.EnterProgrammingMode();
  line.SendCommand(command::kLoadConfiguration);
  line.SendFixedFrame(FixedFrame::AllOnes3FFF);
  skip(line, offset);
  writeWord(line, command::kLoadDataProgram, value);
  std::uint16_t word = readWord(line, command::kReadDataProgram);
  line.ExitProgrammingMode(true);
  return word;
}

inline std::vector<std::uint8_t> writeData(LineProtocol& line,
                                           const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> readBack;
  line.EnterProgrammingMode();
  for (std::uint8_t byte : bytes) {
    writeWord(line, command::kLoadDataData, byte);
    readBack.push_back(static_cast<std::uint8_t>(readWord(line, command::kReadDataData)));
    line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(true);
  return readBack;
}

inline std::vector<std::uint16_t> readData(LineProtocol& line, int count) {
  std::vector<std::uint16_t> bytes;
  line.EnterProgrammingMode();
  for (int i = 0; i < count; ++i) {
    bytes.push_back(readWord(line, command::kReadDataData));
    line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(false);
  return bytes;
}

// The programmer's "erase everything" sequence: code-protect clearing for
// chips other than the PIC12F6xx, then program and data bulk erase.
inline void eraseAll(LineProtocol& line, bool is12F6xx) {
  line.EnterProgrammingMode();
  line.SendCommand(command::kLoadConfiguration);
  line.SendFixedFrame(FixedFrame::AllOnes3FFF);
  skip(line, 7);
  if (!is12F6xx) {
    line.SendCommand(command::kBulkEraseSetup1);
    line.SendCommand(command::kBulkEraseSetup2);
    line.SendCommand(command::kBeginProgramming);
    line.Paus(1000);
    line.SendCommand(command::kBulkEraseSetup1);
    line.SendCommand(command::kBulkEraseSetup2);
    line.SendCommand(command::kLoadDataProgram);
    line.SendFixedFrame(FixedFrame::AllOnes3FFF);
  }
  line.SendCommand(command::kBulkEraseProgram);
  line.SendCommand(command::kBeginProgramming);
  line.Paus(1000);
  if (!is12F6xx) {
    line.SendCommand(command::kLoadDataData);
    line.SendFixedFrame(FixedFrame::Byte00FF);
  }
  line.SendCommand(command::kBulkEraseData);
  line.SendCommand(command::kBeginProgramming);
  line.Paus(1000);
  line.ExitProgrammingMode(true);
}

}  // namespace icsp
}  // namespace kalmar::testing
