#include "memory/chip_steps.h"

#include "link/line_protocol.h"
#include "memory/programming_cycle.h"

namespace kalmar {

void moveIntoConfigurationSpace(ChipSession& chip, int increments) {
  chip.line.SendCommand(command::kLoadConfiguration);
  chip.line.LoadDataWord(0x3FFF);
  for (int i = 0; i < increments; ++i) chip.line.SendCommand(command::kIncrementAddress);
}

std::uint16_t readConfigurationSpaceWord(ChipSession& chip, int offset) {
  chip.line.EnterProgrammingMode();
  moveIntoConfigurationSpace(chip, offset);
  const std::uint16_t word = chip.line.readBackWord(command::kReadDataProgram, Sampler::Read6);
  chip.line.ExitProgrammingMode(false);
  return word;
}

std::uint16_t readConfiguration(ChipSession& chip) {
  return readConfigurationSpaceWord(chip, 7);
}

std::uint16_t programConfiguration(ChipSession& chip, std::uint16_t word,
                                   const std::function<void()>& afterCycle) {
  return programConfigurationSpaceWord(chip, 7, word, afterCycle);
}

std::uint16_t programConfigurationSpaceWord(ChipSession& chip, int offset, std::uint16_t word,
                                            const std::function<void()>& afterCycle) {
  LineProtocol& line = chip.line;
  line.EnterProgrammingMode();
  moveIntoConfigurationSpace(chip, offset);
  programCell(chip, command::kLoadDataProgram, word, Cycle::ConfigWord);
  if (afterCycle) afterCycle();
  const std::uint16_t readBack = line.readBackWord(command::kReadDataProgram, Sampler::Read6);
  line.ExitProgrammingMode(false);
  return readBack;
}

std::array<std::uint16_t, 4> readIdWords(ChipSession& chip) {
  LineProtocol& line = chip.line;
  moveIntoConfigurationSpace(chip, 0);
  line.store(Sampler::Read7).rewind();
  std::array<std::uint16_t, 4> words{};
  for (std::size_t w = 0; w < 4; ++w) {
    line.SendCommand(command::kReadDataProgram);
    words[w] = line.ReadDataWord(Sampler::Read7);
    if (w < 3) line.SendCommand(command::kIncrementAddress);
  }
  return words;
}

void readProgramSamples(ChipSession& chip, const std::function<void(int k)>& afterWord) {
  LineProtocol& line = chip.line;
  const int words = chip.profile.programWords;
  line.EnterProgrammingMode();
  line.store(Sampler::Read3).rewind();
  line.openBatch();
  for (int k = 1; k <= words - 1; ++k) {
    line.SendCommand(command::kReadDataProgram);
    line.runSteps(readFrameSteps(), Sampler::Read3);
    line.SendCommand(command::kIncrementAddress);
    afterWord(k);
  }
  line.SendCommand(command::kReadDataProgram);
  line.runSteps(readFrameSteps(), Sampler::Read3);
  line.closeBatch();
  line.ExitProgrammingMode(false);
}

std::vector<std::uint16_t> readDataWords(ChipSession& chip) {
  LineProtocol& line = chip.line;
  const int size = chip.profile.dataBytes;
  std::vector<std::uint16_t> words;
  words.reserve(static_cast<std::size_t>(size));
  line.EnterProgrammingMode();
  SampleStore& samples = line.store(Sampler::Read5);
  samples.rewind();
  line.openBatch();
  for (int a = 0; a < size; ++a) {
    line.SendCommand(command::kReadDataData);
    line.runSteps(readFrameSteps(), Sampler::Read5);
    if (a < size - 1) line.SendCommand(command::kIncrementAddress);
  }
  line.closeBatch();
  line.ExitProgrammingMode(false);
  for (int a = 0; a < size; ++a) words.push_back(samples.word(static_cast<std::size_t>(a)));
  return words;
}

void walkToLastWord(ChipSession& chip) {
  for (int i = 0; i < chip.profile.programWords - 1; ++i)
    chip.line.SendCommand(command::kIncrementAddress);
}

namespace {

std::uint16_t readCalibrationWord(ChipSession& chip) {
  LineProtocol& line = chip.line;
  line.EnterProgrammingMode();
  walkToLastWord(chip);
  const std::uint16_t word = line.readBackWord(command::kReadDataProgram, Sampler::Read4);
  line.ExitProgrammingMode(false);
  return word;
}

// The erase sends Load Configuration with the stored 3FFFh frame, not a
// data frame built from the value.
void loadConfigurationAt2007(LineProtocol& line) {
  line.SendCommand(command::kLoadConfiguration);
  line.SendFixedFrame(FixedFrame::AllOnes3FFF);
  for (int i = 0; i < 7; ++i) line.SendCommand(command::kIncrementAddress);
}

void bulkErase(ChipSession& chip, std::uint8_t eraseCommand) {
  chip.line.SendCommand(eraseCommand);
  chip.line.SendCommand(command::kBeginProgramming);
  waitCycle(chip, Cycle::BulkErase);
}

// A bulk erase of a chip with write latches: by itself, or started by
// Begin Programming and ended by End Programming (the Chip Erase family).
void latchedBulkErase(ChipSession& chip, std::uint8_t eraseCommand) {
  const DeviceProfile& profile = chip.profile;
  chip.line.SendCommand(eraseCommand);
  const bool started = profile.erase == EraseSequence::ChipErase;
  if (started) chip.line.SendCommand(command::kBeginProgramming);
  waitOwnCycle(chip, profile.cycles.bulkEraseUs);
  if (started) endProgramming(chip);
}

// Chip Erase takes everything wherever the counter is; the self-timed bulk
// erases from 2000h take the IDs and configuration words too and clear
// protection, but never a calibration word at 2008h.
void eraseLatchedChip(ChipSession& chip) {
  LineProtocol& line = chip.line;
  line.EnterProgrammingMode();
  if (chip.profile.erase == EraseSequence::ChipErase) {
    line.SendCommand(command::kChipErase);
    waitOwnCycle(chip, chip.profile.cycles.chipEraseUs);
  } else {
    moveIntoConfigurationSpace(chip, 0);
    latchedBulkErase(chip, command::kBulkEraseProgram);
    if (chip.profile.dataBytes > 0) latchedBulkErase(chip, command::kBulkEraseData);
  }
  line.ExitProgrammingMode(true);
}

// The code-protection clearing of the PIC16F84 family and the PIC16F627/628
// (DS30262, DS30034); the counter is at 2007h.
void clearCodeProtection(ChipSession& chip) {
  LineProtocol& line = chip.line;
  line.SendCommand(command::kBulkEraseSetup1);
  line.SendCommand(command::kBulkEraseSetup2);
  line.SendCommand(command::kBeginProgramming);
  waitCycle(chip, Cycle::BulkErase);
  line.SendCommand(command::kBulkEraseSetup1);
  line.SendCommand(command::kBulkEraseSetup2);
  line.SendCommand(command::kLoadDataProgram);
  line.SendFixedFrame(FixedFrame::AllOnes3FFF);
}

}  // namespace

std::uint8_t readFactoryValues(ChipSession& chip) {
  const std::uint16_t word = readConfiguration(chip);
  chip.savedCalibration = readCalibrationWord(chip);
  const auto bg = static_cast<std::uint8_t>((word >> 8) & 0x30);
  if (chip.onFactoryValuesRead) chip.onFactoryValuesRead(*chip.savedCalibration, bg);
  if (chip.calibrationOverride) chip.savedCalibration = chip.calibrationOverride;
  return bg;
}

void eraseWholeChip(ChipSession& chip) {
  const EraseSequence sequence = chip.profile.erase;
  if (sequence == EraseSequence::ChipErase || sequence == EraseSequence::SelfTimedBulk) {
    eraseLatchedChip(chip);
    return;
  }
  const bool clearProtection = chip.profile.erase == EraseSequence::ClearProtectionFirst;
  LineProtocol& line = chip.line;
  line.EnterProgrammingMode();
  loadConfigurationAt2007(line);
  if (clearProtection) clearCodeProtection(chip);
  bulkErase(chip, command::kBulkEraseProgram);
  if (clearProtection) {
    line.SendCommand(command::kLoadDataData);
    line.SendFixedFrame(FixedFrame::Byte00FF);
  }
  bulkErase(chip, command::kBulkEraseData);
  line.ExitProgrammingMode(true);
}

void eraseProgramMemory(ChipSession& chip) {
  chip.line.EnterProgrammingMode();
  loadConfigurationAt2007(chip.line);
  bulkErase(chip, command::kBulkEraseProgram);
  chip.line.ExitProgrammingMode(true);
}

void eraseProgramMemoryOnly(ChipSession& chip) {
  chip.line.EnterProgrammingMode();
  latchedBulkErase(chip, command::kBulkEraseProgram);
  chip.line.ExitProgrammingMode(true);
}

std::uint16_t readDeviceIdWord(ChipSession& chip) {
  return readConfigurationSpaceWord(chip, 6);
}

}  // namespace kalmar
