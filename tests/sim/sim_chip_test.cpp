#include "sim/sim_chip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/sim_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;
using sim::SimFamily;

const ChipKind kAllKinds[] = {ChipKind::PIC16F84,   ChipKind::PIC16F84A,  ChipKind::PIC16C84,
                              ChipKind::PIC16F627,  ChipKind::PIC16F627A, ChipKind::PIC16F628,
                              ChipKind::PIC16F628A, ChipKind::PIC12F629,  ChipKind::PIC12F675};

bool is12F(ChipKind kind) {
  return sim::traitsOf(kind).family == SimFamily::F12F6;
}

std::vector<std::uint16_t> pattern(int count, unsigned seed) {
  std::vector<std::uint16_t> words;
  for (int i = 0; i < count; ++i)
    words.push_back(static_cast<std::uint16_t>((seed * 2654435761u + i * 40503u) >> 7) & 0x3FFF);
  return words;
}

std::string trace(SimRig& rig) {
  return rig.log().eventsText();
}

TEST(SimChip, EveryKindRoundTripsEveryAreaWithoutTimingViolations) {
  for (ChipKind kind : kAllKinds) {
    for (double slowdown : {1.0, 5.0}) {
      SCOPED_TRACE(std::string(sim::chipName(kind)) + " slow-down " + std::to_string(slowdown));
      SimRig rig(kind, slowdown);
      icsp::eraseAll(rig.line, is12F(kind));
      auto words = pattern(24, static_cast<unsigned>(kind));
      EXPECT_EQ(icsp::writeProgram(rig.line, words), words);
      EXPECT_EQ(icsp::readProgram(rig.line, 24), words);

      std::vector<std::uint8_t> bytes = {0x00, 0xA5, 0x5A, 0xFF, 0x12};
      EXPECT_EQ(icsp::writeData(rig.line, bytes), bytes);
      auto readBack = icsp::readData(rig.line, 5);
      for (std::size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(readBack[i], bytes[i]);

      for (int id = 0; id < 4; ++id)
        EXPECT_EQ(icsp::writeConfigSpace(rig.line, id, static_cast<std::uint16_t>(0x1230 + id)),
                  0x1230 + id);
      const auto readable =
          static_cast<std::uint16_t>(plainConfig(kind) & ~sim::traitsOf(kind).configZeroBits);
      EXPECT_EQ(icsp::writeConfigSpace(rig.line, 7, plainConfig(kind)), readable);
      EXPECT_EQ(icsp::readConfigSpace(rig.line, 7), readable);
      EXPECT_EQ(rig.log().violations(), 0u) << trace(rig);
    }
  }
}

TEST(SimChip, EraseProgramChipsOverwriteProgramOnlyChipsNeedAnErase) {
  for (ChipKind kind : kAllKinds) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    rig.chip.program[0] = 0x1555;
    auto readBack = icsp::writeProgram(rig.line, {0x2AAA});
    if (sim::traitsOf(kind).programOnlyCycle) {
      EXPECT_EQ(readBack[0], 0x0000) << "0x08 only clears bits on this chip";
      icsp::eraseAll(rig.line, is12F(kind));
      EXPECT_EQ(icsp::writeProgram(rig.line, {0x2AAA})[0], 0x2AAA);
    } else {
      EXPECT_EQ(readBack[0], 0x2AAA);
    }
  }
}

TEST(SimChip, BulkEraseFollowsEachFamily) {
  for (ChipKind kind : kAllKinds) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    sim::SimChip& chip = rig.chip;
    std::fill(chip.program.begin(), chip.program.end(), 0x0123);
    chip.ids = {1, 2, 3, 4};
    std::fill(chip.data.begin(), chip.data.end(), 0x42);
    chip.config = plainConfig(kind);
    icsp::eraseAll(rig.line, is12F(kind));

    EXPECT_EQ(std::count(chip.program.begin(), chip.program.end(), 0x3FFF),
              static_cast<long>(chip.program.size()));
    EXPECT_EQ(chip.ids, (std::array<std::uint16_t, 4>{0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF}));
    EXPECT_EQ(icsp::readConfigSpace(rig.line, 7), 0x3FFF & ~sim::traitsOf(kind).configZeroBits);
    if (kind == ChipKind::PIC16F84) {
      // No data bulk erase on the original PIC16F84: only the byte the
      // counter pointed at (2007h, byte 7) took the loaded FFh.
      EXPECT_EQ(chip.data[7], 0xFF);
      EXPECT_EQ(chip.data[0], 0x42);
    } else {
      EXPECT_EQ(std::count(chip.data.begin(), chip.data.end(), 0xFF),
                static_cast<long>(chip.data.size()));
    }
    EXPECT_EQ(rig.log().violations(), 0u) << trace(rig);
    // The self-timed erases of the newer chips see the programmer's 08h
    // while they run.
    EXPECT_EQ(rig.log().busyCommands() > 0, sim::traitsOf(kind).selfTimedBulkErase) << trace(rig);
  }
}

TEST(SimChip, ConfigurationReadsBackPerFamily) {
  SimRig f675(ChipKind::PIC12F675);
  EXPECT_EQ(icsp::readConfigSpace(f675.line, 7), 0x21FF) << "factory BG bits 10";
  EXPECT_EQ(f675.chip.program[0x3FF], 0x343C) << "factory calibration";
  icsp::eraseAll(f675.line, true);
  EXPECT_EQ(icsp::writeConfigSpace(f675.line, 7, 0x3FFF), 0x31FF) << "bits 11:9 read 0";

  SimRig f628a(ChipKind::PIC16F628A);
  EXPECT_EQ(icsp::writeConfigSpace(f628a.line, 7, 0x3F7F), 0x217F) << "bits 12:9 read 0";
  SimRig f628(ChipKind::PIC16F628);
  EXPECT_EQ(icsp::readConfigSpace(f628.line, 7), 0x3DFF) << "bit 9 reads 0";
  SimRig f84a(ChipKind::PIC16F84A);
  EXPECT_EQ(icsp::readConfigSpace(f84a.line, 6), 0x0560) << "device ID";
  EXPECT_EQ(icsp::writeConfigSpace(f84a.line, 5, 0x0000), 0x3FFF) << "reserved word";
}

TEST(SimChip, CodeProtectionHidesMemoryUntilTheClearingErase) {
  SimRig rig(ChipKind::PIC16F84A);
  icsp::writeProgram(rig.line, {0x2805, 0x0000, 0x1234});
  icsp::writeData(rig.line, {0x11, 0x22});
  icsp::writeConfigSpace(rig.line, 0, 0x0ABC);
  EXPECT_EQ(icsp::writeConfigSpace(rig.line, 7, 0x000F), 0x000F);

  EXPECT_EQ(icsp::readProgram(rig.line, 3), (std::vector<std::uint16_t>{0, 0, 0}));
  EXPECT_EQ(icsp::readData(rig.line, 2), (std::vector<std::uint16_t>{0, 0}));
  EXPECT_EQ(icsp::readConfigSpace(rig.line, 0), 0x0ABC) << "IDs stay readable";
  EXPECT_EQ(icsp::writeProgram(rig.line, {0x0111})[0], 0x0000) << "protected words do not program";
  EXPECT_EQ(icsp::writeConfigSpace(rig.line, 7, 0x3FFF), 0x000F)
      << "protection cannot be written off";

  icsp::eraseAll(rig.line, false);
  EXPECT_EQ(icsp::readProgram(rig.line, 3), (std::vector<std::uint16_t>{0x3FFF, 0x3FFF, 0x3FFF}));
  EXPECT_EQ(icsp::readData(rig.line, 2), (std::vector<std::uint16_t>{0xFF, 0xFF}));
  EXPECT_EQ(rig.log().violations(), 0u) << trace(rig);
}

TEST(SimChip, PartialProtectionOfThe16F627) {
  SimRig rig(ChipKind::PIC16F627);
  rig.chip.program[0x1FF] = 0x0011;
  rig.chip.program[0x200] = 0x0022;
  rig.chip.config = 0x1700;  // CP1:CP0 = 01 in both copies, CPD off
  auto words = icsp::readProgram(rig.line, 0x201);
  EXPECT_EQ(words[0x1FF], 0x0011);
  EXPECT_EQ(words[0x200], 0x0000);

  // Only the PIC16F628's upper half protected: the clearing erase still
  // takes the data memory with it.
  SimRig f628(ChipKind::PIC16F628);
  f628.chip.data[0] = 0x42;
  f628.chip.config = 0x2B00;  // CP1:CP0 = 10 in both copies, CPD off
  EXPECT_EQ(icsp::readProgram(f628.line, 0x401)[0x400], 0x0000);
  icsp::eraseAll(f628.line, false);
  EXPECT_EQ(icsp::readData(f628.line, 1), (std::vector<std::uint16_t>{0xFF}));
}

TEST(SimChip, AddressCounterAliasesAndWraps) {
  SimRig rig(ChipKind::PIC16F84A);
  rig.chip.program[0] = 0x1234;
  auto words = icsp::readProgram(rig.line, 0x401);
  EXPECT_EQ(words[0x400], 0x1234) << "a 1K chip decodes ten address bits";

  SimRig big(ChipKind::PIC16F628A);
  big.chip.program[5] = 0x0555;
  big.line.EnterProgrammingMode();
  icsp::skip(big.line, 0x2000 + 5);  // through the whole program space and round to 0
  EXPECT_EQ(icsp::readWord(big.line, command::kReadDataProgram), 0x0555);
  EXPECT_EQ(big.chip.addressCounter(), 5);
  big.line.ExitProgrammingMode(false);
}

TEST(SimChip, DataMemoryBytesComeInTheLowBitsOnly) {
  SimRig rig(ChipKind::PIC16F628A);
  rig.chip.data[0] = 0xA5;
  EXPECT_EQ(icsp::readData(rig.line, 1)[0], 0x00A5);
  icsp::writeData(rig.line, {0x3C});
  EXPECT_EQ(rig.chip.data[0], 0x3C) << "data memory writes replace the byte";
}

TEST(SimChip, ShortenedPauseIsAViolation) {
  SimRig rig(ChipKind::PIC16F628);
  rig.line.EnterProgrammingMode();
  rig.line.SendCommand(command::kLoadDataProgram);
  rig.line.LoadDataWord(0x0AAA);
  rig.line.SendCommand(command::kBeginProgramming);
  rig.line.Paus(100);  // far less than the programming time
  EXPECT_NE(icsp::readWord(rig.line, command::kReadDataProgram), 0x0AAA);
  rig.line.ExitProgrammingMode(true);
  ASSERT_GE(rig.log().violations(), 1u);
  EXPECT_NE(rig.log().events()[0].text.find("Read Data PM at 0000 while a programming cycle"),
            std::string::npos)
      << trace(rig);
}

TEST(SimAdapter, LineTimingFaultsAreSeen) {
  sim::SimChip chip(ChipKind::PIC16F84A);
  sim::SimAdapter adapter(chip);
  adapter.writeData(0x03, 0);     // both supplies at once
  adapter.writeData(0x01, 1000);  // first clock after 1 us
  adapter.writeData(0x02, 9000);  // clock falls as the data line is released: fine
  adapter.writeData(0x01, 17000);
  adapter.writeData(0x03, 17150);  // clock falls 150 ns after the data settled: fine
  adapter.writeData(0x00, 25000);
  adapter.writeData(0x03, 33000);  // data pulled low as the clock falls
  std::string events = adapter.log().eventsText();
  EXPECT_EQ(adapter.log().violations(), 3u) << events;
  EXPECT_NE(events.find("supplies switched on"), std::string::npos);
  EXPECT_NE(events.find("first clock"), std::string::npos);
  EXPECT_NE(events.find("(setup)"), std::string::npos);
}

TEST(SimChip, TraceNamesEveryCommand) {
  SimRig rig(ChipKind::PIC16F628A);
  rig.log().setTracing(true);
  icsp::writeConfigSpace(rig.line, 7, 0x3F30);
  std::string text = rig.log().traceText();
  auto hasLine = [&](const std::string& a, const std::string& b) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
      if (line.find(a) != std::string::npos && line.find(b) != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(hasLine("00h Load Configuration", "@2000 3FFF")) << text;
  EXPECT_TRUE(hasLine("02h Load Data PM", "@2007 3F30")) << text;
  EXPECT_TRUE(hasLine("04h Read Data PM", "@2007 2130")) << text;
}

// Sequences of other programmers, which use commands the program's own
// steps never send: Begin Programming Only for data, 18h after 09h/0Bh and
// End Programming (0Ah), sent bit by bit.
using icsp::sendAnyCommand;

void loadAndProgramOnly(SimRig& rig, std::uint8_t load, std::uint16_t value) {
  rig.line.SendCommand(load);
  rig.line.LoadDataWord(value);
  rig.line.SendCommand(command::kBeginProgrammingOnly);
  rig.line.PausMicros(10'000);
  if (is12F(rig.chip.kind())) sendAnyCommand(rig.line, 0x0A);  // End Programming
}

TEST(SimChip, BeginProgrammingOnlyWritesTheMemoryTheLastLoadAddressed) {
  for (ChipKind kind :
       {ChipKind::PIC16F84A, ChipKind::PIC16F627, ChipKind::PIC16F628, ChipKind::PIC12F629,
        ChipKind::PIC12F675, ChipKind::PIC16F630, ChipKind::PIC16F676}) {
    SCOPED_TRACE(sim::chipName(kind));
    SimRig rig(kind);
    rig.chip.program[0] = 0x1234;
    rig.chip.program[1] = 0x0F0F;
    rig.chip.data[1] = 0x0F;
    rig.line.EnterProgrammingMode();
    loadAndProgramOnly(rig, command::kLoadDataData, 0x5A);
    rig.line.SendCommand(command::kIncrementAddress);
    loadAndProgramOnly(rig, command::kLoadDataData, 0xF0);
    loadAndProgramOnly(rig, command::kLoadDataProgram, 0x00FF);
    rig.line.ExitProgrammingMode(true);
    EXPECT_EQ(rig.chip.data[0], 0x5A);
    EXPECT_EQ(rig.chip.program[0], 0x1234) << "a data write leaves program memory as it was";
    // 18h never erases: bits only clear, in either memory.
    EXPECT_EQ(rig.chip.data[1], 0x00);
    EXPECT_EQ(rig.chip.program[1], 0x000F);
    EXPECT_EQ(rig.log().violations(), 0u) << trace(rig);
  }
}

// 02h 3FFFh, 09h, then 08h or 18h; 03h FFh, 0Bh, then the same command.
// Where a command may not start the armed erase, memory stays as it was.
TEST(SimChip, ArmedBulkEraseStartsOnlyAtTheCommandsEachFamilyAllows) {
  struct Case {
    ChipKind kind;
    bool erasedBy08, erasedBy18;
  };
  for (const Case& c :
       {Case{ChipKind::PIC16F84A, true, true}, Case{ChipKind::PIC16C84, true, false},
        Case{ChipKind::PIC16F628, true, false},
        // These erase at 09h/0Bh themselves.
        Case{ChipKind::PIC16F628A, true, true}, Case{ChipKind::PIC12F675, true, true}}) {
    for (std::uint8_t start : {command::kBeginProgramming, command::kBeginProgrammingOnly}) {
      SCOPED_TRACE(std::string(sim::chipName(c.kind)) + " started by " + std::to_string(start));
      SimRig rig(c.kind);
      std::fill(rig.chip.program.begin(), rig.chip.program.end(), 0x0123);
      std::fill(rig.chip.data.begin(), rig.chip.data.end(), 0x42);
      rig.line.EnterProgrammingMode();
      for (auto [load, erase] : {std::pair{command::kLoadDataProgram, command::kBulkEraseProgram},
                                 std::pair{command::kLoadDataData, command::kBulkEraseData}}) {
        rig.line.SendCommand(load);
        rig.line.SendFixedFrame(FixedFrame::AllOnes3FFF);
        rig.line.SendCommand(erase);
        rig.line.SendCommand(start);
        rig.line.PausMicros(10'000);
      }
      rig.line.ExitProgrammingMode(true);
      const bool erased = start == command::kBeginProgramming ? c.erasedBy08 : c.erasedBy18;
      EXPECT_EQ(
          std::count(rig.chip.program.begin(), rig.chip.program.end(), erased ? 0x3FFF : 0x0123),
          static_cast<long>(rig.chip.program.size()));
      EXPECT_EQ(std::count(rig.chip.data.begin(), rig.chip.data.end(), erased ? 0xFF : 0x42),
                static_cast<long>(rig.chip.data.size()));
      EXPECT_EQ(rig.log().violations(), 0u) << trace(rig);
    }
  }
}

// The 12F6xx's 18h runs until End Programming: ended before TPROG2 (2 ms)
// or not ended at all, the byte is not written and the simulator says so.
TEST(SimChip, EndProgrammingEndsTheExternallyTimedCycle) {
  SimRig rig(ChipKind::PIC12F675);
  rig.line.EnterProgrammingMode();
  rig.line.SendCommand(command::kLoadDataData);
  rig.line.LoadDataWord(0x5A);
  rig.line.SendCommand(command::kBeginProgrammingOnly);
  rig.line.PausMicros(1'000);
  sendAnyCommand(rig.line, 0x0A);
  EXPECT_EQ(rig.log().violations(), 1u) << trace(rig);
  rig.line.SendCommand(command::kBeginProgrammingOnly);
  rig.line.PausMicros(10'000);
  rig.line.ExitProgrammingMode(true);
  EXPECT_EQ(rig.chip.data[0], 0xFF);
  EXPECT_EQ(rig.log().violations(), 2u) << trace(rig);
  EXPECT_NE(trace(rig).find("supply removed while a data memory programming-only cycle"),
            std::string::npos)
      << trace(rig);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// VDD before VPP on a chip whose configuration runs it from its internal
// oscillator with MCLR as an input: a real chip may run its program first.
TEST(SimChip, SupplyOrderIsWarnedWhereTheChipCanRunFirst) {
  for (auto wiring : {sim::SupplyWiring::D2IsVdd, sim::SupplyWiring::D3IsVdd}) {
    SimRig rig(sim::ChipKind::PIC16F628A);
    rig.adapter.wiring = wiring;
    rig.chip.config = 0x3F18;  // INTRC, MCLR off
    icsp::readConfigSpace(rig.line, 7);
    EXPECT_EQ(rig.log().warnings(), wiring == sim::SupplyWiring::D2IsVdd ? 1u : 0u)
        << rig.log().eventsText();
    EXPECT_EQ(rig.log().violations(), 0u);
  }
  SimRig f84(sim::ChipKind::PIC16F84A);
  icsp::readConfigSpace(f84.line, 7);
  EXPECT_EQ(f84.log().warnings(), 0u);
}

// The edges of a read frame latch nothing: the host may pull the data line
// right after its last falling edge.
TEST(SimChip, NoHoldCheckAfterAReadFrame) {
  SimRig rig(sim::ChipKind::PIC16F84A);
  rig.line.EnterProgrammingMode();
  rig.line.SendCommand(command::kReadDataProgram);
  std::int64_t t = rig.counter.counter() + 2'000;
  for (int clock = 0; clock < 16; ++clock, t += 2'000) {  // the read frame, by hand
    rig.adapter.writeData(0x00, t);                       // clock high, data released
    rig.adapter.writeData(0x02, t + 1'000);               // clock low
  }
  rig.adapter.writeData(0x03, t - 1'000 + 10);  // pulled low 10 ns after the last fall
  EXPECT_EQ(rig.log().violations(), 0u) << rig.log().eventsText();
}

}  // namespace
}  // namespace kalmar::testing
