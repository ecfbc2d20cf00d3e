// "Стереть Все" and the PIC12F629/675 BG and calibration preservation.
#include "memory/erase.h"

#include <gtest/gtest.h>

#include <csignal>

#include "link/stop_request.h"
#include "memory/config_word.h"
#include "memory/program_chip.h"
#include "memory/program_write.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

void fillChip(sim::SimChip& chip) {
  std::fill(chip.program.begin(), chip.program.end() - 1, 0x0123);
  chip.ids = {1, 2, 3, 4};
  std::fill(chip.data.begin(), chip.data.end(), 0x42);
}

std::vector<std::uint8_t> commandsSent(ChipRig& rig) {
  std::vector<std::uint8_t> codes;
  for (const auto& entry : rig.sim.log().trace()) codes.push_back(entry.command);
  return codes;
}

bool contains(const std::vector<std::uint8_t>& codes, std::vector<std::uint8_t> run) {
  return std::search(codes.begin(), codes.end(), run.begin(), run.end()) != codes.end();
}

TEST(EraseAll, EveryFamilyEndsBlankAndSaysSo) {
  for (ChipKind kind : {ChipKind::PIC16F84, ChipKind::PIC16F84A, ChipKind::PIC16C84,
                        ChipKind::PIC16F627, ChipKind::PIC16F628A, ChipKind::PIC12F629}) {
    for (double slowdown : {1.0, 5.0}) {
      SCOPED_TRACE(std::string(sim::chipName(kind)) + " x" + std::to_string(slowdown));
      ChipRig rig(kind, slowdown);
      fillChip(rig.sim.chip);
      if (kind != ChipKind::PIC12F629) rig.sim.chip.program.back() = 0x0123;
      rig.sim.log().setTracing(true);
      rig.form.window.routes.N15.Enabled = true;
      rig.host.expectMessage(MessageResult::Ok);
      Button11Click(rig.form);

      EXPECT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
      EXPECT_EQ(rig.form.window.StatusBar1,
                " Последнее выполненое действие: успешное стирание всех данных микроконтроллера.");
      EXPECT_EQ(rig.form.window.Edit4.Text, "Микроконтроллер & Буфер");
      EXPECT_EQ(rig.form.window.Edit5.Text, "Микроконтроллер & Буфер");
      EXPECT_FALSE(rig.form.window.routes.N15.Enabled);
      EXPECT_FALSE(rig.form.window.routes.SpeedButton4.Enabled);
      EXPECT_TRUE(rig.form.window.Enabled);
      EXPECT_EQ(rig.host.messages.size(), 1u);
      const auto codes = commandsSent(rig);
      const bool is12F = kind == ChipKind::PIC12F629;
      EXPECT_EQ(contains(codes, {0x01, 0x07, 0x08, 0x01, 0x07, 0x02, 0x09, 0x08}), !is12F);
      EXPECT_EQ(contains(codes, {0x03, 0x0B, 0x08}), !is12F);
      EXPECT_EQ(std::count(rig.sim.chip.data.begin(), rig.sim.chip.data.end(), 0xFF),
                static_cast<long>(rig.sim.chip.data.size()));
      if (is12F) {
        EXPECT_EQ(rig.sim.chip.program.back(), sim::kFactoryCalibration) << "calibration kept";
        EXPECT_EQ(rig.form.buffer.program[0x3FF], sim::kFactoryCalibration);
        EXPECT_EQ(rig.form.window.programColumns[7].substr(127 * 6, 4), "343C");
      }
      EXPECT_EQ(rig.violations(), 0u) << rig.events();
    }
  }
}

TEST(EraseAll, SixtyFourByteChipsGetTheirDataWrittenWithFf) {
  ChipRig rig(ChipKind::PIC16F84);  // the original PIC16F84 has no data bulk erase
  fillChip(rig.sim.chip);
  rig.recordProgress();
  rig.host.expectMessage(MessageResult::Ok);
  Button11Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_EQ(rig.sim.chip.data[0], 0xFF);
  EXPECT_EQ(rig.sim.chip.data[63], 0xFF);
}

TEST(EraseAll, TwelveFKeepsFactoryBgBitsInKeepMode) {
  ChipRig rig(ChipKind::PIC12F675);
  rig.form.buffer.config = 0x31FF;
  ListBox1Click(rig.form, 2);  // "01" chosen, but the erase puts the chooser in keep mode
  rig.form.buffer.config = 0x31FF;
  rig.host.expectMessage(MessageResult::Ok);
  Button11Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
  EXPECT_EQ(rig.form.buffer.config, 0x21FF);
  EXPECT_EQ(rig.sim.chip.configRead(), 0x21FF);
  EXPECT_EQ(rig.form.window.bg.Panel3Tag, 0);
  EXPECT_EQ(rig.form.window.bg.ListBox1ItemIndex, 2) << "only the flag changes";
}

TEST(EraseAll, TwelveFWithBufferWord3FFFMergesTo2FFF) {
  ChipRig rig(ChipKind::PIC12F675);
  rig.form.buffer.config = 0x3FFF;
  rig.host.expectMessage(MessageResult::Ok);  // the erase question
  Button11Click(rig.form);
  EXPECT_EQ(rig.form.buffer.config, 0x2FFF) << "chip BG 10 over the buffer's 11";
  // Bits 11:9 read 0: the check compares only the bits the chip has.
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.sim.chip.configRead(), 0x21FF);
}

TEST(BgBits, ExplicitChoiceAsksAndCancelKeepsTheChips) {
  for (MessageResult answer : {MessageResult::Ok, MessageResult::Cancel}) {
    ChipRig rig(ChipKind::PIC12F675);
    rig.sim.chip.config = 0x31FF;  // chip BG 11
    ListBox1Click(rig.form, 2);    // "01"
    rig.host.expectMessage(answer);
    BG_of_12F6xx_Readen(rig.form);
    ASSERT_EQ(rig.host.messages.size(), 1u);
    EXPECT_EQ(rig.host.messages[0].text,
              "Вы действительно собираетесь изменить состояние колибровочных\r\n"
              "битов BG? Текущее значение - 11,  новое значение - 01.\r\n"
              "Нажмите OK для записи нового значения, или ОТМЕНА - для\r\n"
              "сохранения в слове конфигурации старого значения битов BG.");
    EXPECT_EQ(rig.form.buffer.config & 0x3000, answer == MessageResult::Ok ? 0x1000 : 0x3000);
  }
  ChipRig same(ChipKind::PIC12F629);
  ListBox1Click(same.form, 3);  // "10", as the chip has
  BG_of_12F6xx_Readen(same.form);
  EXPECT_TRUE(same.host.messages.empty()) << "equal bits: no question";
}

TEST(EraseAll, CancelAndStuckCells) {
  ChipRig cancelled(ChipKind::PIC16F628);
  fillChip(cancelled.sim.chip);
  cancelled.host.expectMessage(MessageResult::Cancel);
  Button11Click(cancelled.form);
  EXPECT_EQ(cancelled.sim.chip.program[0], 0x0123);
  EXPECT_EQ(cancelled.form.window.StatusBar1, "Выполняемое действие: проверка программатора.");

  ChipRig stuck(ChipKind::PIC16F628);
  stuck.sim.chip.faults.stuckCells[0x10] = 0x0000;
  stuck.sim.chip.applyStuckCells();
  stuck.host.expectMessage(MessageResult::Ok);
  stuck.host.expectMessage(MessageResult::Ok);  // the verify's own report
  stuck.host.expectMessage(MessageResult::Ok);  // the erase failure
  Button11Click(stuck.form);
  EXPECT_FALSE(stuck.form.operation.ok);
  EXPECT_EQ(stuck.host.messages.at(1).text,
            "В ячейке с адресом 0010 должно находиться число 3FFF.\r\n"
            "Проверка показала, что в этой ячейке находится число 0000.\r\nПроверка прервана.");
  EXPECT_EQ(stuck.host.messages.at(2).text,
            "Процесс стирания не был успешно завершен.\r\nВозможно не все данные были стерты.");
  EXPECT_NE(stuck.form.window.StatusBar1.find("обнаружены ошибки"), std::string::npos);
  EXPECT_TRUE(stuck.form.window.Enabled);
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// The factory calibration of a PIC12F629/675 survives any failure after the erase.
struct CalibrationRig : ChipRig {
  explicit CalibrationRig(sim::ChipKind kind = sim::ChipKind::PIC12F675) : ChipRig(kind) {
    host.defaultAnswer = MessageResult::Ok;
  }
  void stick(std::uint16_t address, std::uint16_t value) {
    sim.chip.faults.stuckCells[address] = value;
    sim.chip.applyStuckCells();
  }
  bool factoryValuesKept() {
    return sim.chip.program[0x3FF] == sim::kFactoryCalibration &&
           (sim.chip.configRead() & 0x3000) == 0x2000;
  }
};

// The 8-pin chips and the 14-pin PIC16F630/676 alike.
TEST(Calibration, KeptThroughAFailedWriteAndAFailedErase) {
  for (auto kind : {sim::ChipKind::PIC12F675, sim::ChipKind::PIC16F630, sim::ChipKind::PIC16F676}) {
    SCOPED_TRACE(sim::chipName(kind));
    CalibrationRig write(kind);
    write.stick(0x010, 0x0000);
    write.loadProgram(ChipRig::pattern(1023, 3, 0x31C4));
    Button7Click(write.form);
    EXPECT_FALSE(write.form.operation.ok);
    EXPECT_TRUE(write.factoryValuesKept());

    CalibrationRig erase(kind);
    erase.stick(0x020, 0x0000);  // the blank check of program memory fails
    Button11Click(erase.form);
    EXPECT_FALSE(erase.form.operation.ok);
    EXPECT_TRUE(erase.factoryValuesKept());
  }
}

TEST(Calibration, ALostCalibrationIsNamed) {
  CalibrationRig rig;
  rig.sim.chip.faults.slowCells[0x3FF] = sim::kSlowCellNs;  // will not program at full speed
  Button11Click(rig.form);
  EXPECT_FALSE(rig.form.operation.ok);
  bool named = false;
  for (const RecordedMessage& m : rig.host.messages)
    named |= m.text.find("калибровочное слово 343C по адресу 03FF") != std::string::npos;
  EXPECT_TRUE(named);
}

// A protected chip reads its calibration as 0000h: the erase asks first.
TEST(Calibration, AProtectedChipIsErasedOnlyWhenTheLossIsAccepted) {
  for (MessageResult answer : {MessageResult::Cancel, MessageResult::Ok}) {
    ChipRig rig(sim::ChipKind::PIC12F675);
    rig.sim.chip.protectCode();
    rig.host.expectMessage(MessageResult::Ok);  // the erase question
    rig.host.expectMessage(answer);             // the calibration cannot be kept
    Button11Click(rig.form);
    ASSERT_EQ(rig.host.messages.size(), 2u);
    EXPECT_EQ(rig.host.messages[1].text.rfind("Калибровочное слово по адресу 03FF прочитано как "
                                              "0000: микроконтроллер защищён,",
                                              0),
              0u);
    EXPECT_EQ(rig.form.operation.ok, answer == MessageResult::Ok);
    EXPECT_EQ(rig.sim.chip.program[0x3FF] == sim::kFactoryCalibration,
              answer == MessageResult::Cancel)
        << "declined: the chip keeps it";
  }
}

TEST(Calibration, AFileWithItsOwnRetlwVerifiesAfterTheWrite) {
  CalibrationRig rig;
  Buffer image = ChipRig::pattern(1023, 4, 0x31C4);
  image.program[0x3FF] = 0x34FF;  // the file's own calibration word
  rig.loadProgram(image);
  Button7Click(rig.form);
  ASSERT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
  EXPECT_EQ(rig.sim.chip.program[0x3FF], sim::kFactoryCalibration);
  rig.loadProgram(image);
  Button6Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// A stop that comes between the bulk erase and the write-back of a
// PIC12F675's calibration word and BG bits waits until both are back.
TEST(Calibration, AStopDuringTheEraseWaitsForTheWriteBack) {
  for (bool write : {false, true}) {
    SCOPED_TRACE(write ? "Запись PM" : "Стереть Все");
    ChipRig rig(sim::ChipKind::PIC12F675);
    const std::uint16_t calibration = rig.sim.chip.program.back();
    const std::uint16_t bg = rig.sim.chip.config & 0x3000;
    rig.host.defaultAnswer = MessageResult::Ok;
    rig.host.onPump = [&rig] {
      if (rig.form.window.StatusBar1.find("восстановление калибровочного слова") !=
          std::string::npos)
        requestStop(SIGINT);
    };
    std::optional<std::uint16_t> wordAtStop, bgAtStop;
    rig.form.chip.line.setStopHandler([&](int) {
      if (wordAtStop) return;
      wordAtStop = rig.sim.chip.program.back();
      bgAtStop = rig.sim.chip.config & 0x3000;
    });
    if (write)
      Button7Click(rig.form);
    else
      Button11Click(rig.form);
    clearStop();
    ASSERT_TRUE(wordAtStop.has_value()) << "the stop never came";
    EXPECT_EQ(*wordAtStop, calibration);
    EXPECT_EQ(*bgAtStop, bg);
  }
}

}  // namespace
}  // namespace kalmar::testing

namespace kalmar::testing {
namespace {

// A calibration word in configuration space (the PIC12F683's and the
// PIC16F690's at 2008h, the PIC16F886's at 2009h) is never erased: a stop
// at any moment of programming the chip whole, of writing program memory or
// of an erase leaves it as the factory wrote it.
TEST(Calibration, TheWordInConfigurationSpaceOutlivesAStopAtAnyMoment) {
  for (sim::ChipKind kind :
       {sim::ChipKind::PIC12F683, sim::ChipKind::PIC16F690, sim::ChipKind::PIC16F886}) {
    const int words = sim::traitsOf(kind).programWords;
    for (int stopAt = 1; stopAt <= 2 * words; stopAt *= 4) {
      for (auto command : {programFromFile, Button7Click, Button11Click}) {
        SCOPED_TRACE(std::string(sim::chipName(kind)) + " " + std::to_string(stopAt));
        ChipRig rig(kind);
        const std::uint16_t factory = rig.sim.chip.calibrationWord;
        ASSERT_NE(factory, 0x3FFF);
        rig.host.defaultAnswer = MessageResult::Ok;
        rig.loadProgram(ChipRig::pattern(words, 5, plainConfig(kind)));
        int pumps = 0;
        rig.host.onPump = [&] {
          if (++pumps == stopAt) requestStop(SIGINT);
        };
        bool stopped = false;
        rig.form.chip.line.setStopHandler([&stopped](int) { stopped = true; });
        command(rig.form);
        clearStop();
        EXPECT_TRUE(stopped);
        EXPECT_EQ(rig.sim.chip.calibrationWord, factory);
      }
    }
  }
}

}  // namespace
}  // namespace kalmar::testing
