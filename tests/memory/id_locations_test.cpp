#include "memory/id_locations.h"

#include <gtest/gtest.h>

#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

TEST(IdLocations, WriteReadsBackAndShowsTheChip) {
  ChipRig rig(ChipKind::PIC16F84A);
  rig.form.buffer.ids = {0x0001, 0x1234, 0x3FFF, 0x0000};
  rig.recordProgress();
  Button15Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_EQ(rig.sim.chip.ids, (std::array<std::uint16_t, 4>{0x0001, 0x1234, 0x3FFF, 0x0000}));
  EXPECT_EQ(rig.form.window.idCells[1], "1234");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненое действие: успешная запись идентификатора микроконтроллера.");
  EXPECT_EQ(rig.form.window.Edit8.Text, "Мк-р & Буфер");
  // Write 30 55 80 105, read 20 30 48 65 82 100.
  for (int step : {30, 55, 80, 105, 20, 48, 65, 82, 100})
    EXPECT_NE(std::find(rig.progress.begin(), rig.progress.end(), step), rig.progress.end())
        << step;
}

TEST(IdLocations, CheckFailureNamesTheAddressAndStops) {
  ChipRig rig(ChipKind::PIC16F628A);
  rig.sim.chip.ids = {0x3FFF, 0x0000, 0x3FFF, 0x3FFF};  // program-only cell, not erased
  rig.form.buffer.ids = {0x0001, 0x0002, 0x0003, 0x0004};
  rig.host.expectMessage(MessageResult::Ok);
  rig.host.expectMessage(MessageResult::Ok);
  Button15Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 2u);
  EXPECT_EQ(rig.host.messages[0].text,
            "В ячейку с адресом 2001 должно было быть записано число 0002.\r\n"
            "Проверка показала, что после записи в этой ячейке находится число 0000.\r\n"
            "Запись прервана.");
  EXPECT_EQ(rig.host.messages[1].text,
            "Процесс записи не был успешно завершен.\r\nВозможно не все данные были записаны.");
  EXPECT_EQ(rig.sim.chip.ids[2], 0x3FFF) << "stops before 2002h";
  EXPECT_EQ(rig.form.window.ProgressBar1, 106);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: неудачная попытка записать идентификатор микроконтроллера.");
  EXPECT_TRUE(rig.form.window.Enabled);
}

TEST(IdLocations, ReadUnderThePreserveMarkerLeavesTheCells) {
  ChipRig rig(ChipKind::PIC12F675);
  rig.sim.chip.ids = {7, 8, 9, 10};
  rig.form.idPreserveMarker = true;
  Button13Click(rig.form);
  EXPECT_EQ(rig.form.buffer.ids, (std::array<std::uint16_t, 4>{7, 8, 9, 10}));
  EXPECT_EQ(rig.form.window.idCells[0], "3FFF");
  EXPECT_EQ(rig.form.window.Edit8.Text, "Мк-р & Буфер");
  rig.form.idPreserveMarker = false;
  Button13Click(rig.form);
  EXPECT_EQ(rig.form.window.idCells[3], "000A");
}

TEST(IdLocations, CellEntryAndCaret) {
  ChipRig rig(ChipKind::PIC16F84A);
  setIdCellText(rig.form, 301, "4000");
  EXPECT_EQ(rig.host.beeps, 1);
  EXPECT_EQ(rig.form.window.idCells[0], "3FFF");
  setIdCellText(rig.form, 301, "12G4");
  setIdCellText(rig.form, 301, "12_4");
  setIdCellText(rig.form, 301, "12");
  EXPECT_EQ(rig.host.beeps, 4);
  EXPECT_EQ(rig.form.buffer.ids[0], 0x3FFF);
  setIdCellText(rig.form, 301, "0000");
  EXPECT_EQ(rig.form.buffer.ids[0], 0x0000);
  EXPECT_EQ(rig.form.window.Edit8.Text, "Буфер");
  EXPECT_EQ(rig.form.window.Edit8.Width, 38);

  MaskEdit301KeyUp(rig.form, 301, CellKey::Other, 4);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit302");
  EXPECT_EQ(rig.form.window.SelLength, 1);
  EXPECT_EQ(rig.form.idLeftMoveCounter, 1);
  rig.form.window.ActiveControl = "MaskEdit304";
  MaskEdit301KeyUp(rig.form, 304, CellKey::Other, 4);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit304");
  // Right after a move the counter is 1: two Left presses go back.
  rig.form.idLeftMoveCounter = 1;
  rig.form.window.ActiveControl = "MaskEdit302";
  MaskEdit301KeyUp(rig.form, 302, CellKey::Left, 0);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit302");
  MaskEdit301KeyUp(rig.form, 302, CellKey::Left, 0);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit301");
  MaskEdit301Click(rig.form, 301);
  EXPECT_EQ(rig.form.idLeftMoveCounter, 0);
  rig.form.window.SelLength = 3;
  MaskEdit301MouseUp(rig.form, 301);
  EXPECT_EQ(rig.form.window.SelLength, 1);
}

}  // namespace
}  // namespace kalmar::testing
