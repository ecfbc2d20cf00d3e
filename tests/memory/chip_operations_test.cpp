// Program memory write and verify, end to end against simulated chips.
#include "memory/program_write.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "device/catalogue.h"
#include "memory/config_word.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/program_chip.h"
#include "memory/program_read.h"
#include "memory/read_all.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

const char* const kWriteFailedCaption =
    "Ошибка при записи данных в память программ микроконтроллера.";
const char* const kWriteFailedText =
    "Процесс записи не был успешно завершен.\r\nВозможно не все данные были записаны.";
const char* const kWriteDone =
    " Последнее выполненое действие: успешная запись данных в память программ "
    "микроконтроллера.";

// A PIC16F628 image loaded whose word 123h (2ABCh) is stuck at 0000h in the chip.
void loadOverAStuckWord(ChipRig& rig) {
  Buffer image = ChipRig::pattern(2048, 5, 0x3F21);
  image.program[0x123] = 0x2ABC;
  rig.loadProgram(image);
  rig.sim.chip.faults.stuckCells[0x123] = 0x0000;
  rig.sim.chip.applyStuckCells();
}

void eraseFirst(ChipRig& rig) {
  rig.host.expectMessage(MessageResult::Ok);
  Button11Click(rig.form);
  ASSERT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
}

TEST(WriteProgramMemory, EveryFamilyEndToEnd) {
  for (ChipKind kind :
       {ChipKind::PIC16F84A, ChipKind::PIC16F628, ChipKind::PIC16F628A, ChipKind::PIC12F675}) {
    for (double slowdown : {1.0, 5.0}) {
      SCOPED_TRACE(std::string(sim::chipName(kind)) + " x" + std::to_string(slowdown));
      ChipRig rig(kind, slowdown);
      Buffer image = ChipRig::pattern(rig.form.chip.profile.programWords, 7, plainConfig(kind));
      if (kind == ChipKind::PIC12F675) image.program[0x3FF] = 0x3FFF;  // no calibration word
      // Chips that only program need an erase first (which blanks the buffer).
      if (sim::traitsOf(kind).programOnlyCycle && kind != ChipKind::PIC12F675) eraseFirst(rig);
      rig.loadProgram(image);
      rig.recordProgress();
      Button7Click(rig.form);

      EXPECT_TRUE(rig.form.operation.ok);
      EXPECT_EQ(rig.form.window.StatusBar1, kWriteDone);
      EXPECT_TRUE(rig.form.window.Enabled);
      EXPECT_FALSE(rig.form.window.Panel2Visible);
      const int words = rig.form.chip.profile.programWords;
      for (int i = 0; i < words - 1; ++i)
        ASSERT_EQ(rig.sim.chip.program[static_cast<std::size_t>(i)],
                  image.program[static_cast<std::size_t>(i)])
            << i;
      if (kind == ChipKind::PIC12F675) {
        EXPECT_EQ(rig.sim.chip.program[0x3FF], sim::kFactoryCalibration) << "calibration kept";
        EXPECT_EQ(rig.sim.chip.configRead(), 0x21C4) << "factory BG bits 10 kept";
      } else {
        EXPECT_EQ(rig.sim.chip.program[static_cast<std::size_t>(words - 1)],
                  image.program[static_cast<std::size_t>(words - 1)]);
        EXPECT_EQ(rig.sim.chip.config, plainConfig(kind));
      }
      EXPECT_EQ(rig.violations(), 0u) << rig.events();
      EXPECT_EQ(rig.progress.back(), 70) << "the configuration write's last repaint";
      EXPECT_EQ(rig.form.window.ProgressBar1, 106);
    }
  }
}

// A HEX file through the window's commands: programmed from the file,
// verified, read whole, erased; the chips with a factory calibration word
// keep it and their BG bits all along, whatever word the file brings there.
void programReadAndEraseThroughTheWindow(ChipKind kind, const std::filesystem::path& file) {
  SCOPED_TRACE(file.string());
  ChipRig rig(kind);
  rig.host.defaultAnswer = MessageResult::Ok;
  const std::uint16_t bg = rig.sim.chip.configRead() & 0x3000;
  ASSERT_TRUE(loadHexFile(rig.form, file.string()));
  const Buffer image = rig.form.buffer;
  EXPECT_TRUE(programFromFile(rig.form).ok());
  EXPECT_TRUE(Button6Click(rig.form).ok()) << "verify";
  EXPECT_TRUE(Button16Click(rig.form).ok()) << "read all";
  const int words =
      rig.form.chip.profile.programWords - (rig.form.chip.profile.calibrationPreserved ? 1 : 0);
  for (int i = 0; i < words; ++i)
    ASSERT_EQ(rig.form.buffer.chipRead[static_cast<std::size_t>(i)],
              image.program[static_cast<std::size_t>(i)])
        << i;
  EXPECT_EQ(rig.form.buffer.data, image.data);
  EXPECT_TRUE(Button11Click(rig.form).ok()) << "erase";
  EXPECT_EQ(rig.sim.chip.program[16], 0x3FFF);
  if (rig.form.chip.profile.calibrationPreserved) {
    EXPECT_EQ(rig.sim.chip.program[0x3FF], sim::kFactoryCalibration);
    EXPECT_EQ(rig.sim.chip.configRead() & 0x3000, bg);
  }
  EXPECT_EQ(rig.violations(), 0u) << rig.events();
}

// Every chip with the project's own test programs (tests/programs).
TEST(EveryChip, OwnProgramsGoInComeBackAndEraseThroughTheWindow) {
  int files = 0;
  for (const CatalogueEntry& chip : catalogue()) {
    const std::filesystem::path folder = std::filesystem::path(KALMAR_PROGRAMS_DIR) / chip.name;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
      ++files;
      programReadAndEraseThroughTheWindow(*sim::chipKindFromName(chip.name), file.path());
    }
  }
  EXPECT_GE(files, 2 * static_cast<int>(catalogue().size()));
}

// The chips added to the table with the real files of public projects
// (where KALMAR_PUBLIC_HEX names them, or beside the project).
TEST(NewChips, RealFilesGoInComeBackAndEraseThroughTheWindow) {
  const char* named = std::getenv("KALMAR_PUBLIC_HEX");
  const std::filesystem::path folder = named != nullptr ? named : KALMAR_TESTDATA_DIR;
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no test data at " << folder;
  int files = 0;
  for (ChipKind kind : {ChipKind::PIC16F648A, ChipKind::PIC16F630, ChipKind::PIC16F676}) {
    for (const auto& file : std::filesystem::directory_iterator(folder / sim::chipName(kind))) {
      ++files;
      programReadAndEraseThroughTheWindow(kind, file.path());
    }
  }
  EXPECT_EQ(files, 13);
}

// All 4096 words and 256 data bytes of a PIC16F648A, through the HEX writer
// and reader and the window's own commands, into the chip and back.
TEST(NewChips, The648AWholeImageThroughTheWindow) {
  ChipRig rig(ChipKind::PIC16F648A);
  rig.host.defaultAnswer = MessageResult::Ok;
  Buffer image = ChipRig::pattern(4096, 7, 0x3F70);
  for (std::size_t n = 0; n < image.data.size(); ++n)
    image.data[n] = static_cast<std::uint8_t>(n * 37 + 11);
  rig.loadProgram(image);
  EXPECT_TRUE(Button7Click(rig.form).ok()) << "write and verify program memory";
  EXPECT_TRUE(Button9Click(rig.form).ok()) << "write data memory";
  EXPECT_EQ(rig.sim.chip.program[0xFFF], image.program[0xFFF]);
  EXPECT_EQ(rig.sim.chip.data[0xFF], image.data[0xFF]);
  EXPECT_TRUE(Button16Click(rig.form).ok()) << "read all";
  EXPECT_TRUE(std::equal(image.program.begin(), image.program.begin() + 4096,
                         rig.form.buffer.chipRead.begin()));
  EXPECT_EQ(rig.form.buffer.data, image.data);
  EXPECT_EQ(rig.violations(), 0u) << rig.events();
}

TEST(WriteProgramMemory, VerifyAfterAGoodWriteNamesTheFile) {
  ChipRig rig(ChipKind::PIC16F84A);
  const std::string path = rig.loadProgram(ChipRig::pattern(1024, 3, 0x3FF9));
  Button7Click(rig.form);
  Button6Click(rig.form);
  EXPECT_EQ(
      rig.form.window.StatusBar1,
      " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, ошибок нет." +
          path);
  EXPECT_EQ(rig.form.window.ProgressBar1, 106);
}

TEST(WriteProgramMemory, StuckCellStopsTheWriteAndTheConfigurationWord) {
  ChipRig rig(ChipKind::PIC16F628);
  loadOverAStuckWord(rig);
  rig.sim.log().setTracing(true);
  rig.host.expectMessage(MessageResult::Ok);
  rig.host.expectMessage(MessageResult::Ok);
  Button7Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 2u);
  EXPECT_EQ(rig.host.messages[0].caption, kWriteFailedCaption);
  EXPECT_EQ(rig.host.messages[0].text,
            "В ячейку с адресом 0123 должно было быть записано число 2ABC.\r\n"
            "Проверка показала, что после записи в этой ячейке находится число 0000.\r\n"
            "Запись прервана.");
  EXPECT_EQ(rig.host.messages[1].caption, kWriteFailedCaption);
  EXPECT_EQ(rig.host.messages[1].text, kWriteFailedText);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: неудачная попытка записать данные в память программ "
            "микроконтроллера.");
  EXPECT_FALSE(rig.form.operation.ok);
  EXPECT_TRUE(rig.form.window.Enabled);
  EXPECT_EQ(rig.sim.chip.program[0x124], 0x3FFF) << "nothing after the failing word";
  EXPECT_EQ(rig.sim.chip.config, 0x3FFF) << "configuration not written";
  for (const auto& entry : rig.sim.log().trace())
    EXPECT_FALSE(entry.command == 0x02 && entry.address == 0x2007);
}

TEST(WriteProgramMemory, WordAboveFourteenBitsIsAMismatch) {
  ChipRig rig(ChipKind::PIC16F84A);
  Buffer image;
  image.program[0] = 0x2805;
  image.program[1] = 0xFFFF;
  rig.loadProgram(image);
  rig.host.expectMessage(MessageResult::Ok);
  rig.host.expectMessage(MessageResult::Ok);
  Button7Click(rig.form);
  EXPECT_EQ(rig.host.messages.at(0).text,
            "В ячейку с адресом 0001 должно было быть записано число FFFF.\r\n"
            "Проверка показала, что после записи в этой ячейке находится число 3FFF.\r\n"
            "Запись прервана.");
}

TEST(WriteProgramMemory, VerifyReportsTheFirstDifference) {
  ChipRig rig(ChipKind::PIC16F628A);
  Buffer image;
  image.program[0x7FF] = 0x0000;
  rig.loadProgram(image);
  rig.host.expectMessage(MessageResult::Ok);
  rig.recordProgress();
  Button6Click(rig.form);
  EXPECT_EQ(rig.host.messages.at(0).caption,
            "Ошибка при проверке данных в памяти программ микроконтроллера.");
  EXPECT_EQ(rig.host.messages.at(0).text,
            "В ячейке с адресом 07FF должно находиться число 0000.\r\n"
            "Проверка показала, что в этой ячейке находится число 3FFF.\r\nПроверка прервана.");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, "
            "обнаружены ошибки.");
  EXPECT_NE(rig.form.window.ProgressBar1, 106);
  EXPECT_TRUE(rig.form.window.Enabled);
}

TEST(WriteProgramMemory, ProtectionWarningCancelledAndAccepted) {
  ChipRig rig(ChipKind::PIC16F84A);
  rig.loadProgram(ChipRig::pattern(1024, 1, 0x000D));  // "Защита кода" on
  ASSERT_TRUE(rig.form.window.CheckBox[3].Checked);
  rig.host.expectMessage(MessageResult::Cancel);
  Button7Click(rig.form);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненое действие: отказ от записи данных в память программ "
            "микроконтроллера.");
  EXPECT_EQ(rig.form.window.StatusBar2, "");
  EXPECT_EQ(rig.sim.chip.program[0], 0x3FFF);

  rig.host.expectMessage(MessageResult::Ok);
  Button7Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_TRUE(rig.sim.chip.programProtected(0));
}

TEST(WriteProgramMemory, ChipReadImageIsCopiedBeforeTheWarning) {
  ChipRig rig(ChipKind::PIC16F84A);
  rig.sim.chip.program[0] = 0x0123;
  Button8Click(rig.form);
  rig.form.window.CheckBox[3].Checked = true;
  rig.host.expectMessage(MessageResult::Cancel);
  PIC2Click(rig.form);
  EXPECT_EQ(rig.form.buffer.program[0], 0x0123) << "the copy stays";
  EXPECT_EQ(rig.form.buffer.program, rig.form.buffer.chipRead);
}

TEST(WriteProgramMemory, SlowCellsNeedASlowdown) {
  for (double slowdown : {1.0, 1.2}) {
    ChipRig rig(ChipKind::PIC16F84A, slowdown);
    rig.loadProgram(ChipRig::pattern(1024, 2, 0x3FF9));
    rig.sim.chip.faults.slowCells[0x40] = sim::kSlowCellNs;
    if (slowdown == 1.0) {
      rig.host.expectMessage(MessageResult::Ok);
      rig.host.expectMessage(MessageResult::Ok);
    }
    Button7Click(rig.form);
    EXPECT_EQ(rig.form.operation.ok, slowdown != 1.0);
    if (slowdown != 1.0) {
      EXPECT_EQ(rig.violations(), 0u) << rig.events();
    }
  }
}

TEST(WriteProgramMemory, CalibrationWordOfThe12F6xxSurvivesAWrite) {
  // A file that carries its own last word: the chip's RETLW wins.
  ChipRig rig(ChipKind::PIC12F629);
  Buffer image = ChipRig::pattern(1024, 9, 0x31C4 & 0x31FF);
  image.program[0x3FF] = 0x0000;
  rig.loadProgram(image);
  Button7Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
  EXPECT_EQ(rig.sim.chip.program[0x3FF], sim::kFactoryCalibration);
  EXPECT_EQ(rig.form.buffer.program[0x3FF], sim::kFactoryCalibration);

  // A chip whose calibration was already lost gets the image's word.
  ChipRig lost(ChipKind::PIC12F629);
  lost.sim.chip.program[0x3FF] = 0x3FFF;
  Buffer other = ChipRig::pattern(1024, 4, 0x3184);
  other.program[0x3FF] = 0x3455;
  lost.loadProgram(other);
  Button7Click(lost.form);
  EXPECT_TRUE(lost.form.operation.ok);
  EXPECT_EQ(lost.sim.chip.program[0x3FF], 0x3455);
}

TEST(WriteProgramMemory, TwelveFPathKeepsTheChipsIds) {
  ChipRig rig(ChipKind::PIC12F675);
  rig.sim.chip.ids = {0x0011, 0x0022, 0x0033, 0x0044};
  Buffer image = ChipRig::pattern(1024, 6, 0x3184);
  image.ids = {1, 2, 3, 4};
  image.program[0x3FF] = 0x3FFF;
  rig.loadProgram(image);
  rig.form.window.idCells[0] = "0001";
  Button7Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_EQ(rig.sim.chip.ids, (std::array<std::uint16_t, 4>{0x11, 0x22, 0x33, 0x44}));
  EXPECT_EQ(rig.form.buffer.ids, (std::array<std::uint16_t, 4>{0x11, 0x22, 0x33, 0x44}));
  EXPECT_EQ(rig.form.window.idCells[0], "0001") << "the cells are not refreshed";
}

TEST(ReadAll, ReadsEveryAreaAndSumsTheTime) {
  ChipRig rig(ChipKind::PIC16F628A);
  rig.sim.chip.program[1] = 0x0ABC;
  rig.sim.chip.data[127] = 0x42;
  rig.sim.chip.ids = {5, 6, 7, 8};
  rig.platform.timeMs = 0;
  rig.host.onPump = [&] { rig.platform.timeMs += 2; };
  Button16Click(rig.form);
  EXPECT_EQ(rig.form.buffer.chipRead[1], 0x0ABC);
  EXPECT_EQ(rig.form.buffer.data[127], 0x42);
  EXPECT_EQ(rig.form.buffer.ids, (std::array<std::uint16_t, 4>{5, 6, 7, 8}));
  EXPECT_FALSE(rig.form.window.routes.N15.Enabled);
  EXPECT_FALSE(rig.form.window.routes.N31.Enabled);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненное действие: успешно прочитаны все данные из микроконтроллера.");
  EXPECT_EQ(rig.form.window.StatusBar2, "0:" + std::to_string(rig.platform.timeMs / 1000) + "." +
                                            std::to_string(rig.platform.timeMs % 1000));
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// What a caller that is not the window acts on: the outcome of a command
// that failed agrees with the boxes and the status line it left.
TEST(CommandOutcome, FailuresRefusalsAndAMissingProgrammerSayWhatHappened) {
  ChipRig stuck(ChipKind::PIC16F628);
  loadOverAStuckWord(stuck);
  stuck.host.expectMessage(MessageResult::Ok);
  stuck.host.expectMessage(MessageResult::Ok);
  const Outcome failed = Button7Click(stuck.form);
  EXPECT_EQ(failed.kind, OutcomeKind::Failed);
  EXPECT_EQ(failed.caption, stuck.host.messages.at(0).caption);
  EXPECT_EQ(failed.text, stuck.host.messages.at(0).text);
  EXPECT_EQ(failed.lastAction, stuck.form.window.StatusBar1);
  EXPECT_EQ(failed.elapsed, stuck.form.window.StatusBar2);

  ChipRig declined(ChipKind::PIC16F628A);
  declined.host.expectMessage(MessageResult::Cancel);
  EXPECT_EQ(Button11Click(declined.form).kind, OutcomeKind::Refused);

  ChipRig missing(ChipKind::PIC16F84);
  missing.sim.adapter.faults.noAdapter = true;
  missing.host.expectMessage(MessageResult::Ok);
  const Outcome none = Button16Click(missing.form);
  EXPECT_EQ(none.kind, OutcomeKind::NoProgrammer);
  EXPECT_EQ(none.lastAction, missing.form.window.StatusBar1);
  EXPECT_EQ(missing.host.messages.size(), 1u) << "one box, and nothing read";
}

}  // namespace
}  // namespace kalmar::testing
