// The PIC12F1822 family (DS41390, DS41439), entered by the low-voltage key
// through the line protocol: the key and nothing else enters, high voltage
// is a finding that would have damaged a real chip, configuration space is
// at 8000h, Reset Address, and the two calibration words outlive an erase
// from 8000h.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_chip.h"
#include "support/sim_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

struct EnhancedRig : SimRig {
  explicit EnhancedRig(ChipKind kind = ChipKind::PIC16F1827) : SimRig(kind) {
    line.setLowVoltageEntry(true);
  }
  void load(std::uint8_t code, std::uint16_t value) {
    line.SendCommand(code);
    line.LoadDataWord(value);
  }
  // Word at 8000h + offset, read in a session of its own.
  std::uint16_t configWord(int offset) { return icsp::readConfigSpace(line, offset); }
  std::string events() { return log().eventsText(); }
};

TEST(EnhancedChips, TheKeyEntersWithVddAloneAndRowsProgram) {
  for (ChipKind kind : {ChipKind::PIC12F1822, ChipKind::PIC16F1827, ChipKind::PIC16F1847}) {
    SCOPED_TRACE(sim::chipName(kind));
    EnhancedRig rig(kind);
    const int latches = rig.chip.traits().latchWords;
    rig.line.EnterProgrammingMode();
    ASSERT_TRUE(rig.chip.inProgrammingMode());
    for (int i = 0; i < latches; ++i) {
      rig.load(command::kLoadDataProgram, static_cast<std::uint16_t>(0x1000 + i));
      if (i + 1 < latches) rig.line.SendCommand(command::kIncrementAddress);
    }
    rig.line.SendCommand(command::kBeginProgramming);
    rig.line.PausMicros(2500);
    rig.line.ExitProgrammingMode(true);
    EXPECT_FALSE(rig.chip.inProgrammingMode());
    for (int i = 0; i < latches; ++i) EXPECT_EQ(rig.chip.program[i], 0x1000 + i);
    EXPECT_EQ(rig.configWord(6) & 0x3FE0, rig.chip.traits().deviceId);
    EXPECT_EQ(rig.log().violations(), 0u) << rig.events();
  }
}

// The adapter's VPP on one of these chips is reported whatever follows;
// a wrong key bit, or the LVP bit cleared, enters nothing.
TEST(EnhancedChips, HighVoltageIsADamageFindingAndOnlyTheKeyEnters) {
  EnhancedRig high;
  high.line.setLowVoltageEntry(false);
  high.line.EnterProgrammingMode();
  high.line.ExitProgrammingMode(true);
  EXPECT_FALSE(high.chip.inProgrammingMode());
  EXPECT_EQ(high.log().violations(), 1u);
  EXPECT_NE(high.events().find("could have been damaged"), std::string::npos) << high.events();

  EnhancedRig wrongKey;
  wrongKey.line.Write1(line::kSecondSupplyOn);
  wrongKey.line.Paus(500);
  std::vector<std::uint8_t> steps(lowVoltageKeySteps().begin(), lowVoltageKeySteps().end());
  steps[2] = line::kClockHighDataReleased;  // the key's first bit, 0, sent as 1
  wrongKey.line.runSteps(steps);
  EXPECT_FALSE(wrongKey.chip.inProgrammingMode());

  EnhancedRig lvpOff;
  lvpOff.chip.config2 = 0x1FFF;
  lvpOff.line.EnterProgrammingMode();
  EXPECT_FALSE(lvpOff.chip.inProgrammingMode());
  EXPECT_EQ(wrongKey.log().violations() + lvpOff.log().violations(), 0u);
}

TEST(EnhancedChips, ConfigurationSpaceIsAt8000hAndResetAddressReturns) {
  EnhancedRig rig;
  rig.chip.ids = {0x0001, 0x0002, 0x0003, 0x0004};
  rig.chip.config = 0x3FE4;
  rig.chip.config2 = 0x3FFF;
  EXPECT_EQ(rig.configWord(3), 0x0004);
  EXPECT_EQ(rig.configWord(7), 0x3FE4);
  EXPECT_EQ(rig.configWord(8), 0x3FFF);
  EXPECT_EQ(rig.configWord(9), rig.chip.calibrationWord);
  EXPECT_EQ(rig.configWord(10), rig.chip.calibrationWord2);
  EXPECT_NE(rig.chip.calibrationWord, rig.chip.calibrationWord2);

  rig.chip.program[0] = 0x2222;
  rig.line.EnterProgrammingMode();
  rig.load(command::kLoadConfiguration, 0x3FFF);
  icsp::skip(rig.line, 6);
  EXPECT_EQ(rig.chip.addressCounter(), 0x8006);
  icsp::sendAnyCommand(rig.line, 0x16);  // Reset Address
  EXPECT_EQ(icsp::readWord(rig.line, command::kReadDataProgram), 0x2222);
  rig.line.ExitProgrammingMode(true);
  EXPECT_EQ(rig.log().violations(), 0u) << rig.events();
}

// A bulk erase from 8000h takes program memory, IDs and configuration but
// not the calibration words; from 8009h it takes them too.
TEST(EnhancedChips, CalibrationWordsOutliveABulkEraseFrom8000h) {
  for (int offset : {0, 9}) {
    SCOPED_TRACE(offset);
    EnhancedRig rig;
    const std::uint16_t first = rig.chip.calibrationWord, second = rig.chip.calibrationWord2;
    rig.chip.program[5] = 0x0123;
    rig.chip.config = 0x3F7F;  // data protected
    rig.line.EnterProgrammingMode();
    rig.load(command::kLoadConfiguration, 0x3FFF);
    icsp::skip(rig.line, offset);
    rig.line.SendCommand(command::kBulkEraseProgram);
    rig.line.PausMicros(5000);
    rig.line.ExitProgrammingMode(true);
    EXPECT_EQ(rig.chip.program[5], 0x3FFF);
    EXPECT_EQ(rig.chip.config, 0x3FFF);
    EXPECT_EQ(rig.chip.calibrationWord, offset == 0 ? first : 0x3FFF);
    EXPECT_EQ(rig.chip.calibrationWord2, offset == 0 ? second : 0x3FFF);
    EXPECT_EQ(rig.log().violations(), 0u) << rig.events();
  }
}

}  // namespace
}  // namespace kalmar::testing
