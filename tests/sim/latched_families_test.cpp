// The chips that program through write latches (PIC16F87/88/818/819,
// PIC16F716, PIC12F683/16F684/688), driven with the command sequences of
// Microchip's documents and of other programmers, bit by bit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/sim_chip.h"
#include "support/sim_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

constexpr std::int64_t kLongUs = 10'000;  // longer than any cycle of these chips

const ChipKind kLatchedKinds[] = {ChipKind::PIC16F87,  ChipKind::PIC16F88,  ChipKind::PIC16F818,
                                  ChipKind::PIC16F819, ChipKind::PIC16F716, ChipKind::PIC12F683,
                                  ChipKind::PIC16F684, ChipKind::PIC16F688};

void send(SimRig& rig, std::uint8_t code) {
  icsp::sendAnyCommand(rig.line, code);
}

void load(SimRig& rig, std::uint8_t command, std::uint16_t value) {
  rig.line.SendCommand(command);
  rig.line.LoadDataWord(value);
}

// A cycle command, the wait, then the chip's End Programming and TDIS.
void externalCycle(SimRig& rig, std::uint8_t begin, std::int64_t waitUs = kLongUs) {
  send(rig, begin);
  rig.line.PausMicros(waitUs);
  send(rig, rig.chip.traits().endCommand);
  rig.line.PausMicros(100);
}

void toConfigSpace(SimRig& rig, int offset, std::uint16_t latch = 0x3FFF) {
  load(rig, command::kLoadConfiguration, latch);
  icsp::skip(rig.line, offset);
}

std::string events(SimRig& rig) {
  return rig.log().eventsText();
}

// Four loads with Increment between, one cycle at the row's last word:
// what is loaded is programmed, the unloaded latch leaves its cell.
TEST(LatchedChips, ARowProgramsItsLoadedLatchesOnly) {
  for (ChipKind kind : kLatchedKinds) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    rig.chip.program[6] = 0x0F0F;
    rig.line.EnterProgrammingMode();
    icsp::skip(rig.line, 4);
    load(rig, command::kLoadDataProgram, 0x1111);
    rig.line.SendCommand(command::kIncrementAddress);
    load(rig, command::kLoadDataProgram, 0x2222);
    icsp::skip(rig.line, 2);
    load(rig, command::kLoadDataProgram, 0x3333);
    externalCycle(rig, command::kBeginProgrammingOnly);
    rig.line.ExitProgrammingMode(true);
    EXPECT_EQ(icsp::readProgram(rig.line, 8),
              (std::vector<std::uint16_t>{0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF, 0x1111, 0x2222, 0x0F0F,
                                          0x3333}));
    EXPECT_EQ(rig.log().violations(), 0u) << events(rig);
  }
}

// 08h: on the PIC16F88 it erases the 32-word block first and waits for
// 17h; on the PIC12F683 it programs only and times itself (3 ms).
TEST(LatchedChips, BeginProgrammingFollowsEachFamily) {
  SimRig f88(ChipKind::PIC16F88);
  f88.chip.program[0x21] = 0x0AAA;
  f88.chip.program[0x3F] = 0x0BBB;
  f88.chip.program[0x40] = 0x0CCC;
  f88.line.EnterProgrammingMode();
  icsp::skip(f88.line, 0x21);
  load(f88, command::kLoadDataProgram, 0x1555);
  externalCycle(f88, command::kBeginProgramming);
  f88.line.ExitProgrammingMode(true);
  EXPECT_EQ(f88.chip.program[0x21], 0x1555);
  EXPECT_EQ(f88.chip.program[0x3F], 0x3FFF) << "the rest of the block is erased";
  EXPECT_EQ(f88.chip.program[0x40], 0x0CCC) << "the next block is not";

  SimRig f683(ChipKind::PIC12F683);
  f683.chip.program[1] = 0x0F0F;
  f683.line.EnterProgrammingMode();
  icsp::skip(f683.line, 1);
  load(f683, command::kLoadDataProgram, 0x00FF);
  f683.line.SendCommand(command::kBeginProgramming);
  f683.line.PausMicros(1'000);
  icsp::readWord(f683.line, command::kReadDataProgram);  // while the cycle runs
  f683.line.PausMicros(3'000);
  EXPECT_EQ(icsp::readWord(f683.line, command::kReadDataProgram), 0x000F) << "bits only clear";
  f683.line.ExitProgrammingMode(true);
  EXPECT_EQ(f683.log().violations(), 1u) << events(f683);
}

// IDs, the configuration words with their implemented bits, the device ID
// with its revision, a data byte: the sequences other programmers send.
TEST(LatchedChips, ConfigurationSpaceAndDataReadBackPerFamily) {
  SimRig f88(ChipKind::PIC16F88);
  f88.line.EnterProgrammingMode();
  toConfigSpace(f88, 0);
  load(f88, command::kLoadDataProgram, 0x0123);
  externalCycle(f88, command::kBeginProgrammingOnly);
  icsp::skip(f88.line, 7);
  load(f88, command::kLoadDataProgram, 0x3F30);
  externalCycle(f88, command::kBeginProgrammingOnly);
  f88.line.SendCommand(command::kIncrementAddress);
  load(f88, command::kLoadDataProgram, 0x3FFE);
  externalCycle(f88, command::kBeginProgrammingOnly);
  f88.line.ExitProgrammingMode(true);
  f88.line.EnterProgrammingMode();
  load(f88, command::kLoadDataData, 0xA5);  // PICkit 2: 08h erases the byte, 18h programs it
  externalCycle(f88, command::kBeginProgramming);
  externalCycle(f88, command::kBeginProgrammingOnly);
  f88.line.ExitProgrammingMode(true);
  EXPECT_EQ(icsp::readConfigSpace(f88.line, 0), 0x0123);
  EXPECT_EQ(icsp::readConfigSpace(f88.line, 6), 0x0763);
  EXPECT_EQ(icsp::readConfigSpace(f88.line, 7), 0x3F30);
  EXPECT_EQ(icsp::readConfigSpace(f88.line, 8), 0x0002) << "CONFIG2 bits 13:2 read 0";
  EXPECT_EQ(icsp::readData(f88.line, 1)[0], 0xA5);
  EXPECT_EQ(f88.log().violations(), 0u) << events(f88);

  // The PIC16F716 and PIC12F683 write the configuration word from the
  // latch Load Configuration filled.
  SimRig f716(ChipKind::PIC16F716);
  EXPECT_EQ(icsp::readConfigSpace(f716.line, 7), 0x20CF) << "blank";
  f716.line.EnterProgrammingMode();
  toConfigSpace(f716, 7, 0x3FF2);
  externalCycle(f716, command::kBeginProgrammingOnly);
  f716.line.ExitProgrammingMode(true);
  EXPECT_EQ(icsp::readConfigSpace(f716.line, 7), 0x20C2);
  EXPECT_EQ(icsp::readConfigSpace(f716.line, 6), 0x1143);

  SimRig f683(ChipKind::PIC12F683);
  f683.line.EnterProgrammingMode();
  toConfigSpace(f683, 7, 0x3FE4);
  f683.line.SendCommand(command::kBeginProgramming);
  f683.line.PausMicros(kLongUs);
  f683.line.ExitProgrammingMode(true);
  EXPECT_EQ(icsp::readConfigSpace(f683.line, 7), 0x0FE4) << "bits 13:12 read 0";
  EXPECT_EQ(icsp::readConfigSpace(f683.line, 8), sim::kFactoryCalibration);
  EXPECT_EQ(icsp::writeData(f683.line, {0x5A}), (std::vector<std::uint8_t>{0x5A}));
  EXPECT_EQ(f683.log().violations(), 0u) << events(f683);
}

void fill(sim::SimChip& chip) {
  std::fill(chip.program.begin(), chip.program.end(), 0x0123);
  std::fill(chip.data.begin(), chip.data.end(), 0x42);
  chip.ids = {1, 2, 3, 4};
}

// DS41204: 11h erases the 16-word row the counter is in; 09h erases
// program memory alone from program memory, IDs and configuration too from
// 2000h, and the calibration word from 2008h.
TEST(LatchedChips, EraseScopeFollowsTheAddress) {
  SimRig rig(ChipKind::PIC16F684);
  fill(rig.chip);
  rig.line.EnterProgrammingMode();
  icsp::skip(rig.line, 0x13);
  send(rig, 0x11);  // Row Erase
  rig.line.PausMicros(kLongUs);
  rig.line.ExitProgrammingMode(true);
  EXPECT_EQ(rig.chip.program[0x0F], 0x0123);
  EXPECT_EQ(rig.chip.program[0x10], 0x3FFF);
  EXPECT_EQ(rig.chip.program[0x1F], 0x3FFF);
  EXPECT_EQ(rig.chip.program[0x20], 0x0123);
  rig.line.EnterProgrammingMode();
  load(rig, command::kLoadDataProgram, 0x3FFF);
  rig.line.SendCommand(command::kBulkEraseProgram);
  rig.line.PausMicros(kLongUs);
  rig.line.ExitProgrammingMode(true);
  EXPECT_EQ(rig.chip.program[5], 0x3FFF);
  EXPECT_EQ(rig.chip.ids[0], 1);
  EXPECT_EQ(rig.log().violations(), 0u) << events(rig);

  for (int offset : {0, 7, 8}) {
    SCOPED_TRACE(offset);
    SimRig chip(ChipKind::PIC16F684);
    fill(chip.chip);
    chip.chip.config = 0x0FE4;
    chip.line.EnterProgrammingMode();
    toConfigSpace(chip, offset);
    chip.line.SendCommand(command::kBulkEraseProgram);
    chip.line.PausMicros(kLongUs);
    chip.line.SendCommand(command::kBulkEraseData);
    chip.line.PausMicros(kLongUs);
    chip.line.ExitProgrammingMode(true);
    EXPECT_EQ(chip.chip.program[5], 0x3FFF);
    EXPECT_EQ(chip.chip.ids[0], 0x3FFF);
    EXPECT_EQ(chip.chip.configRead(), 0x0FFF);
    EXPECT_EQ(chip.chip.data[0], 0xFF);
    EXPECT_EQ(chip.chip.calibrationWord, offset < 8 ? sim::kFactoryCalibration : 0x3FFF);
    EXPECT_EQ(chip.log().violations(), 0u) << events(chip);
  }
}

// Protected program memory reads 0000h and data 00h; the PIC16F88's bulk
// erase leaves a protected chip as it is and only Chip Erase clears it;
// the DS41204 and PIC16F716 bulk erase from 2000h clears it.
TEST(LatchedChips, ProtectionHoldsUntilTheEraseThatClearsIt) {
  SimRig f88(ChipKind::PIC16F88);
  fill(f88.chip);
  f88.chip.protectCode();
  EXPECT_EQ(icsp::readProgram(f88.line, 1)[0], 0x0000);
  EXPECT_EQ(icsp::readData(f88.line, 1)[0], 0x00);
  f88.line.EnterProgrammingMode();
  toConfigSpace(f88, 0, 0x0000);
  f88.line.SendCommand(command::kBulkEraseProgram);
  externalCycle(f88, command::kBeginProgramming);
  f88.line.ExitProgrammingMode(true);
  EXPECT_EQ(f88.chip.program[0], 0x0123);
  EXPECT_TRUE(f88.chip.anyProtected());
  f88.line.EnterProgrammingMode();
  toConfigSpace(f88, 0, 0x0000);
  send(f88, 0x1F);  // Chip Erase, PICkit 2's sequence
  f88.line.PausMicros(kLongUs);
  f88.line.ExitProgrammingMode(true);
  EXPECT_EQ(icsp::readProgram(f88.line, 1)[0], 0x3FFF);
  EXPECT_EQ(icsp::readData(f88.line, 1)[0], 0xFF);
  EXPECT_EQ(icsp::readConfigSpace(f88.line, 8), 0x0003);
  EXPECT_EQ(f88.log().violations(), 0u) << events(f88);

  for (ChipKind kind : {ChipKind::PIC12F683, ChipKind::PIC16F716}) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    fill(rig.chip);
    rig.chip.protectCode();
    EXPECT_EQ(icsp::readProgram(rig.line, 1)[0], 0x0000);
    rig.line.EnterProgrammingMode();
    toConfigSpace(rig, 0);
    rig.line.SendCommand(command::kBulkEraseProgram);
    rig.line.PausMicros(kLongUs);
    rig.line.ExitProgrammingMode(true);
    EXPECT_FALSE(rig.chip.anyProtected());
    EXPECT_EQ(icsp::readProgram(rig.line, 1)[0], 0x3FFF);
    // Data memory that was protected goes with the protection.
    if (!rig.chip.data.empty()) {
      EXPECT_EQ(rig.chip.data[0], 0xFF);
    }
  }
}

// End Programming before the least time leaves the cells as they were; a
// cycle never ended is lost when the supply goes.
TEST(LatchedChips, EndProgrammingTooEarlyOrMissingIsAViolation) {
  for (ChipKind kind : {ChipKind::PIC16F88, ChipKind::PIC16F716, ChipKind::PIC12F683}) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    rig.line.EnterProgrammingMode();
    load(rig, command::kLoadDataProgram, 0x0000);
    externalCycle(rig, command::kBeginProgrammingOnly, 1'000);
    EXPECT_EQ(rig.log().violations(), 1u) << events(rig);
    load(rig, command::kLoadDataProgram, 0x0000);
    send(rig, command::kBeginProgrammingOnly);
    rig.line.PausMicros(kLongUs);
    send(rig, rig.chip.traits().endCommand);
    load(rig, command::kLoadDataProgram, 0x0000);
    send(rig, command::kBeginProgrammingOnly);
    rig.line.ExitProgrammingMode(true);
    EXPECT_EQ(rig.log().violations(), 2u) << events(rig);
    EXPECT_EQ(rig.chip.program[0], 0x0000) << "the one cycle ended in time";
  }
}

// A command the family lacks does nothing and is a finding; the frame of a
// load or read the host meant still passes, so the next command is sound.
TEST(LatchedChips, CommandsTheFamilyLacksAreRefused) {
  SimRig f716(ChipKind::PIC16F716);
  f716.chip.program[0] = 0x1234;
  f716.line.EnterProgrammingMode();
  load(f716, command::kLoadDataData, 0x00);
  EXPECT_EQ(icsp::readWord(f716.line, command::kReadDataData), 0x3FFF);
  EXPECT_EQ(icsp::readWord(f716.line, command::kReadDataProgram), 0x1234);
  f716.line.ExitProgrammingMode(true);
  EXPECT_EQ(f716.log().violations(), 2u) << events(f716);

  SimRig f683(ChipKind::PIC12F683);
  fill(f683.chip);
  f683.line.EnterProgrammingMode();
  toConfigSpace(f683, 0);
  send(f683, 0x1F);  // the PIC16F88's Chip Erase
  send(f683, 0x17);  // its End Programming
  f683.line.PausMicros(kLongUs);
  f683.line.ExitProgrammingMode(true);
  EXPECT_EQ(f683.chip.program[0], 0x0123);
  EXPECT_EQ(f683.log().violations(), 2u) << events(f683);
  EXPECT_NE(events(f683).find("Chip Erase at 2000 is not a command of the PIC12F683"),
            std::string::npos);
}

// VPP first is what the DS41204 chips need when their program could run
// (internal oscillator, MCLR as an input); the PIC16F88 wants VDD first.
TEST(LatchedChips, VddFirstIsWarnedOnTheDs41204ChipsThatCanRun) {
  for (ChipKind kind : {ChipKind::PIC12F683, ChipKind::PIC16F88}) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    rig.adapter.wiring = sim::SupplyWiring::D2IsVdd;
    rig.chip.config = kind == ChipKind::PIC12F683 ? 0x0FC4 : 0x3F10;  // INTOSC, MCLR off
    icsp::readConfigSpace(rig.line, 7);
    EXPECT_EQ(rig.log().warnings(), kind == ChipKind::PIC12F683 ? 1u : 0u) << events(rig);
  }
}

}  // namespace
}  // namespace kalmar::testing
