// Each fault the simulator can switch on, seen the way the programmer sees it.
#include <gtest/gtest.h>

#include "link/programmer_check.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"
#include "support/sim_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

bool checkPasses(SimRig& rig) {
  FakeHost host;
  FakePlatform platform;
  WindowState window;
  host.expectMessage(MessageResult::Ok);  // answered only if the check fails
  bool passed = Chek_Hard({rig.line, platform, host, window});
  EXPECT_EQ(host.messages.size() + host.unusedAnswers(), 1u);
  return passed;
}

TEST(SimFaults, AdapterFaultsFailTheProgrammerCheck) {
  SimRig good(ChipKind::PIC16F628A);
  EXPECT_TRUE(checkPasses(good));
  for (auto fault : {&sim::AdapterFaults::noAdapter, &sim::AdapterFaults::dataStuckLow,
                     &sim::AdapterFaults::dataStuckHigh}) {
    SimRig rig(ChipKind::PIC16F628A);
    rig.adapter.faults.*fault = true;
    EXPECT_FALSE(checkPasses(rig));
  }
}

TEST(SimFaults, EmptySocketPassesTheCheckButReadsAllOnes) {
  SimRig rig(ChipKind::PIC16F84A);
  rig.adapter.faults.noChip = true;
  EXPECT_TRUE(checkPasses(rig));
  EXPECT_EQ(icsp::readProgram(rig.line, 2), (std::vector<std::uint16_t>{0x3FFF, 0x3FFF}));
  EXPECT_EQ(icsp::writeProgram(rig.line, {0x0123})[0], 0x3FFF);
}

TEST(SimFaults, StuckCellKeepsItsValue) {
  SimRig rig(ChipKind::PIC16F628);
  rig.chip.faults.stuckCells[2] = 0x0000;
  rig.chip.applyStuckCells();
  auto readBack = icsp::writeProgram(rig.line, {0x0101, 0x0202, 0x0303, 0x0404});
  EXPECT_EQ(readBack, (std::vector<std::uint16_t>{0x0101, 0x0202, 0x0000, 0x0404}));
  icsp::eraseAll(rig.line, false);
  EXPECT_EQ(rig.chip.program[2], 0x0000) << "erase does not free it";
}

TEST(SimFaults, SlowCellProgramsOnlyWithASlowdown) {
  for (double slowdown : {1.0, 1.2}) {
    SimRig rig(ChipKind::PIC16F84A, slowdown);
    rig.chip.faults.slowCells[1] = sim::kSlowCellNs;
    auto readBack = icsp::writeProgram(rig.line, {0x0011, 0x0022});
    if (slowdown == 1.0) {
      EXPECT_NE(readBack[1], 0x0022);
      EXPECT_GE(rig.log().violations(), 1u);
    } else {
      EXPECT_EQ(readBack[1], 0x0022);
      EXPECT_EQ(rig.log().violations(), 0u) << rig.log().eventsText();
    }
  }
}

TEST(SimFaults, PowerLossAfterSomeCommandsLeavesTheChipSilent) {
  SimRig rig(ChipKind::PIC12F675);
  rig.chip.faults.powerLossAfterCommands = 9;  // three words of write, read-back, increment
  auto readBack = icsp::writeProgram(rig.line, {0x3FFF, 0x3FFF, 0x3FFF, 0x0000, 0x0000});
  EXPECT_EQ(readBack[3], 0x3FFF) << "nobody drives the line any more";
  EXPECT_TRUE(rig.chip.powerLost());
  EXPECT_EQ(rig.chip.program[3], 0x3FFF);
}

TEST(SimFaults, CodeProtectedChipReadsZeros) {
  SimRig rig(ChipKind::PIC12F629);
  rig.chip.program[0] = 0x2805;
  rig.chip.protectCode();
  EXPECT_EQ(icsp::readProgram(rig.line, 1)[0], 0x0000);
  EXPECT_EQ(icsp::readConfigSpace(rig.line, 7) & 0x0180, 0) << "/CP and /CPD cleared";
}

TEST(SimFaults, SecondSwitchAsSupplyStillProgrammes) {
  SimRig rig(ChipKind::PIC16F628A);
  rig.adapter.wiring = sim::SupplyWiring::D3IsVdd;
  icsp::eraseAll(rig.line, false);
  EXPECT_EQ(icsp::writeProgram(rig.line, {0x1234})[0], 0x1234);
  EXPECT_EQ(rig.log().violations(), 0u);
}

}  // namespace
}  // namespace kalmar::testing
