#include "memory/program_read.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "device/chip_selection.h"
#include "memory/operation_frame.h"
#include "model/hex_text.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    result.push_back(line);
  }
  return result;
}

TEST(ReadProgramMemory, FillsViewImagesRoutesAndStatus) {
  FormRig rig(sim::ChipKind::PIC16F628A);
  rig.start();
  selectChipByName(rig.form, "PIC16F628A");
  for (std::size_t i = 0; i < rig.sim.chip.program.size(); ++i)
    rig.sim.chip.program[i] = static_cast<std::uint16_t>((i * 13 + 5) & 0x3FFF);
  rig.sim.chip.config = 0x3F30;
  rig.form.buffer.program[0] = 0x2805;  // a file loaded earlier stays
  rig.platform.timeMs = 1000;
  rig.recordProgress();
  rig.host.onPump = [&, inner = rig.host.onPump] {
    inner();
    rig.platform.timeMs += 1;  // time passes while the window repaints
  };
  Button8Click(rig.form);

  const WindowState& w = rig.form.window;
  for (std::size_t i = 0; i < 2048; ++i) {
    ASSERT_EQ(rig.form.buffer.chipRead[i], rig.sim.chip.program[i]) << i;
    ASSERT_EQ(rig.form.buffer.disassembly[i], rig.sim.chip.program[i]) << i;
  }
  EXPECT_EQ(rig.form.buffer.program[0], 0x2805);
  EXPECT_EQ(rig.form.buffer.config, 0x2130) << "as the chip reads it";
  auto column0 = lines(w.programColumns[0]);
  auto column7 = lines(w.programColumns[7]);
  ASSERT_EQ(column0.size(), 256u);
  EXPECT_EQ(column0[1], hex4(rig.sim.chip.program[8]));
  EXPECT_EQ(column7[255], hex4(rig.sim.chip.program[2047]));
  EXPECT_EQ(w.programColumns, w.columnTexts);

  EXPECT_FALSE(w.routes.N15.Enabled);
  EXPECT_FALSE(w.routes.N31.Enabled);
  EXPECT_FALSE(w.routes.SpeedButton13.Enabled);
  EXPECT_TRUE(w.routes.PIC2.Enabled);
  EXPECT_TRUE(w.routes.N34.Enabled);
  EXPECT_TRUE(w.routes.SpeedButton4.Enabled);
  EXPECT_TRUE(rig.form.buffer.disassemblyNeeded);
  EXPECT_EQ(w.Edit4.Text, "Микроконтроллер");
  EXPECT_EQ(w.Edit4.Hint, "Отображена память программ микроконтроллера");
  EXPECT_EQ(w.StatusBar1,
            " Последнее выполненное действие: успешно прочитаны данные из памяти программ "
            "микроконтроллера.");
  EXPECT_EQ(w.ProgressBar1, 106);
  EXPECT_TRUE(w.Enabled);
  EXPECT_FALSE(w.Panel2Visible);
  EXPECT_EQ(w.StatusBar2, elapsedText(rig.platform.timeMs - 1000));

  // 5 up to 75 while reading, the configuration read's own 5, then 75..105.
  auto at75 = std::find(rig.progress.begin(), rig.progress.end(), 75);
  ASSERT_NE(at75, rig.progress.end());
  EXPECT_TRUE(std::is_sorted(rig.progress.begin(), at75 + 1));
  EXPECT_EQ(rig.progress.back(), 105);
  EXPECT_EQ(rig.sim.log().violations(), 0u) << rig.sim.log().eventsText();
}

TEST(ReadProgramMemory, SmallChipReadsItsOwnWordsAndKeepsTheRest) {
  FormRig rig(sim::ChipKind::PIC16F84A);
  rig.start();
  selectChipByName(rig.form, "PIC16F84A");
  rig.form.buffer.chipRead[0x500] = 0x0ABC;
  rig.sim.log().setTracing(true);
  Button8Click(rig.form);
  int increments = 0, reads = 0;
  for (const auto& entry : rig.sim.log().trace()) {
    increments += entry.command == 0x06 && entry.address < 0x2000;
    reads += entry.command == 0x04 && entry.address < 0x2000;
  }
  EXPECT_EQ(reads, 1024);
  EXPECT_EQ(increments, 1023) << "no increment after the last word";
  EXPECT_EQ(rig.form.buffer.chipRead[0x3FF], 0x3FFF);
  EXPECT_EQ(rig.form.buffer.chipRead[0x500], 0x0ABC);
  EXPECT_EQ(lines(rig.form.window.programColumns[0]).size(), 128u);
}

TEST(ReadProgramMemory, NoAdapterDoesNothingElse) {
  FormRig rig(sim::ChipKind::PIC16F84A);
  rig.start();
  rig.sim.adapter.faults.noAdapter = true;
  rig.host.expectMessage(MessageResult::Ok);
  Button8Click(rig.form);
  EXPECT_EQ(rig.form.window.StatusBar2, "");
  EXPECT_FALSE(rig.form.window.routes.PIC2.Enabled);
  EXPECT_EQ(rig.form.window.programColumns[0], blankProgramColumn());
}

TEST(ReadProgramMemory, ClearMemoShowsBlankColumns) {
  FormRig rig;
  rig.start();
  rig.form.window.programColumns[3] = "1234\r\n";
  rig.form.window.columnTexts[3] = "1234\r\n";
  ClearMemo(rig.form);
  EXPECT_EQ(rig.form.window.programColumns[3], blankProgramColumn());
  EXPECT_EQ(rig.form.window.columnTexts[3], "");
  EXPECT_EQ(lines(blankProgramColumn()).size(), 1024u);  // 8192 words of the largest chips
}

TEST(OperationFrame, ElapsedTimeHasNoPaddingAndSurvivesMidnight) {
  EXPECT_EQ(elapsedText(65'030), "1:5.30");
  EXPECT_EQ(elapsedText(7'045), "0:7.45");
  EXPECT_EQ(elapsedText(3'600'000 + 2'000), "0:2.0") << "hours are dropped";
  FormRig rig;
  rig.platform.timeMs = 500;
  EXPECT_EQ(elapsedSince(rig.form, 86'399'000), "0:1.500");
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-0.5), 0);
}

TEST(OperationFrame, BusyLockCentresThePanel) {
  FormRig rig;
  rig.form.window.Width = 640;
  rig.form.window.Height = 367;
  BattonDisabl(rig.form);
  EXPECT_TRUE(rig.form.window.Panel2Visible);
  EXPECT_FALSE(rig.form.window.Enabled);
  EXPECT_EQ(rig.form.window.Panel2Left, 184);  // (640 - 273) / 2 = 183.5, to even
  EXPECT_EQ(rig.form.window.Panel2Top, 163);
  BattonDisabl(rig.form);  // twice is harmless
  BattonEnable(rig.form);
  EXPECT_FALSE(rig.form.window.Panel2Visible);
  EXPECT_TRUE(rig.form.window.Enabled);
}

}  // namespace
}  // namespace kalmar::testing
