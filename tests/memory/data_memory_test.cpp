// Data memory read, write, verify and the hand editor.
#include "memory/data_memory.h"

#include <gtest/gtest.h>

#include "memory/data_cells.h"
#include "memory/data_editor.h"
#include "model/hex_text.h"
#include "support/chip_rig.h"

namespace kalmar::testing {
namespace {

using sim::ChipKind;

TEST(DataMemory, ReadFillsBufferCellsAndIndicator) {
  for (ChipKind kind : {ChipKind::PIC16F84A, ChipKind::PIC16F627A}) {
    ChipRig rig(kind);
    for (std::size_t a = 0; a < rig.sim.chip.data.size(); ++a)
      rig.sim.chip.data[a] = static_cast<std::uint8_t>(a * 3);
    rig.sim.log().setTracing(true);
    rig.recordProgress();
    Button5Click(rig.form);
    const int size = rig.form.chip.profile.dataBytes;
    EXPECT_EQ(rig.form.buffer.data[static_cast<std::size_t>(size - 1)],
              static_cast<std::uint8_t>((size - 1) * 3));
    EXPECT_EQ(rig.form.window.dataCells[static_cast<std::size_t>(size - 1)],
              hex2(static_cast<std::uint32_t>((size - 1) * 3)));
    EXPECT_EQ(rig.form.buffer.dataEdit[5], 0xFF) << "the fill lock keeps the edit copy";
    EXPECT_EQ(rig.form.window.Edit5.Text, "Микроконтроллер & Буфер");
    EXPECT_FALSE(rig.form.window.Edit5.Bold);
    EXPECT_EQ(rig.form.window.ActiveControl, "GroupBox2");
    int increments = 0, reads = 0;
    for (const auto& entry : rig.sim.log().trace()) {
      increments += entry.command == 0x06;
      reads += entry.command == 0x05;
    }
    EXPECT_EQ(reads, size);
    EXPECT_EQ(increments, size - 1) << "none after the last address";
    EXPECT_EQ(rig.progress[1], size == 128 ? 6 : 7);
    EXPECT_EQ(rig.progress[rig.progress.size() - 1], 105);
    EXPECT_EQ(rig.form.window.ProgressBar1, 106);
  }
}

TEST(DataMemory, WriteAndVerifyEveryByte) {
  for (double slowdown : {1.0, 5.0}) {
    ChipRig rig(ChipKind::PIC16F628A, slowdown);
    for (std::size_t a = 0; a < 128; ++a)
      rig.form.buffer.data[a] = static_cast<std::uint8_t>(255 - a);
    Button9Click(rig.form);
    EXPECT_TRUE(rig.form.operation.ok);
    EXPECT_EQ(rig.sim.chip.data[0], 255);
    EXPECT_EQ(rig.sim.chip.data[127], 128);
    EXPECT_EQ(rig.form.window.StatusBar1,
              " Последнее выполненое действие: успешная запись данных в память данных "
              "микроконтроллера.");
    EXPECT_EQ(rig.violations(), 0u) << rig.events();
  }
}

TEST(DataMemory, WrongByteStopsTheWriteWithTwoBoxes) {
  ChipRig rig(ChipKind::PIC16F84A);
  rig.sim.chip.protectCode();  // protected data memory reads 00 and is not written
  rig.form.buffer.data.fill(0x5A);
  rig.host.expectMessage(MessageResult::Ok);
  rig.host.expectMessage(MessageResult::Ok);
  Button9Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 2u);
  EXPECT_EQ(rig.host.messages[0].text,
            "В ячейку с адресом 00 должно было быть записано число 5A.\r\n"
            "Проверка показала, что после записи в этой ячейке находится число 00.\r\n"
            "Запись прервана.");
  EXPECT_EQ(rig.host.messages[1].caption,
            "Ошибка при записи данных в память данных микроконтроллера.");
  EXPECT_EQ(rig.host.messages[1].text,
            "Процесс записи не был успешно завершен. Возможно не все данные\r\nбыли записаны.");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: неудачная попытка записать данные в память данных "
            "микроконтроллера.");
  EXPECT_TRUE(rig.form.window.Enabled);
}

TEST(DataMemory, VerifyDifferenceNamesTheByte) {
  ChipRig rig(ChipKind::PIC16F628);
  rig.sim.chip.data[0x7E] = 0x11;
  rig.host.expectMessage(MessageResult::Ok);
  Proc_Verify_DM(rig.form);
  EXPECT_EQ(rig.host.messages.at(0).text,
            "В ячейке с адресом 7E должно находиться число FF.\r\n"
            "Проверка показала, что в этой ячейке находится число 11.\r\nПроверка прервана.");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: проверка данных в памяти данных микроконтроллера, обнаружены "
            "ошибки.");
  EXPECT_NE(rig.form.window.ProgressBar1, 106);
}

struct EditorRig : ChipRig {
  explicit EditorRig(ChipKind kind = ChipKind::PIC16F628A) : ChipRig(kind) {}
  // Typing into cell n: the view changes the text, then the key is released.
  void type(int n, const std::string& text, int caret) {
    setDataCellText(form, n, text);
    MaskEdit10KeyUp(form, n, CellKey::Other, caret);
  }
};

TEST(DataEditor, TypingStoresAndMovesOn) {
  EditorRig rig;
  Button4Click(rig.form);
  EXPECT_TRUE(rig.form.window.GroupBox3Visible);
  EXPECT_FALSE(rig.form.window.N2.Enabled);
  EXPECT_FALSE(rig.form.window.N35.Enabled);
  EXPECT_FALSE(rig.form.window.GroupBox2Enabled);
  EXPECT_EQ(rig.form.window.StatusBar1,
            "Выполняемое действие: редактирование данных в памяти данных микроконтроллера.");
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit1");
  rig.type(8, "A5", 2);
  EXPECT_EQ(rig.form.buffer.dataEdit[7], 0xA5);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit9");
  EXPECT_EQ(rig.form.buffer.data[7], 0xFF) << "the image changes only on save";

  rig.type(9, "G1", 2);
  EXPECT_EQ(rig.host.beeps, 1);
  EXPECT_EQ(rig.form.window.dataCells[8], "FF");
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit9") << "a refused entry does not move";
  rig.type(9, "1_", 1);
  EXPECT_EQ(rig.host.beeps, 2);
  rig.type(9, "F", 1);  // a short text still has a free position
  EXPECT_EQ(rig.host.beeps, 3);
  EXPECT_EQ(rig.form.buffer.dataEdit[8], 0xFF);

  SpeedButton1Click(rig.form);
  EXPECT_EQ(rig.form.buffer.data[7], 0xA5);
  EXPECT_EQ(rig.form.window.Edit5.Text, "Буфер");
  EXPECT_TRUE(rig.form.window.Edit5.Bold);
  EXPECT_FALSE(rig.form.window.GroupBox3Visible);
  EXPECT_TRUE(rig.form.window.N2.Enabled);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: сохранение отредактированных данных (памяти данных) в буфере.");
}

TEST(DataEditor, CancelRestoresAndClearAllFills) {
  EditorRig rig;
  rig.form.buffer.data[0] = 0x12;
  Button4Click(rig.form);
  rig.type(1, "34", 2);
  SpeedButton2Click(rig.form);
  EXPECT_EQ(rig.form.window.dataCells[0], "12");
  EXPECT_EQ(rig.form.buffer.data[0], 0x12);
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: отмена редактирования данных памяти данных микроконтроллера.");

  Button4Click(rig.form);
  SpeedButton3Click(rig.form);
  EXPECT_EQ(rig.form.window.dataCells[0], "FF");
  EXPECT_TRUE(rig.form.window.GroupBox3Visible);
  SpeedButton1Click(rig.form);
  EXPECT_EQ(rig.form.buffer.data[0], 0xFF);
}

TEST(DataEditor, ArrowsRespectTheChipSize) {
  EditorRig big;
  Button4Click(big.form);
  MaskEdit10KeyUp(big.form, 64, CellKey::Other, 2);
  EXPECT_EQ(big.form.window.ActiveControl, "MaskEdit65");
  MaskEdit10KeyUp(big.form, 65, CellKey::Up, 0);
  EXPECT_EQ(big.form.window.ActiveControl, "MaskEdit57");
  MaskEdit10KeyUp(big.form, 57, CellKey::Down, 0);
  EXPECT_EQ(big.form.window.ActiveControl, "MaskEdit65");
  MaskEdit10KeyUp(big.form, 125, CellKey::Down, 0);
  EXPECT_EQ(big.form.window.ActiveControl, "MaskEdit65") << "last row: stays";

  EditorRig small(ChipKind::PIC16F84A);
  Button4Click(small.form);
  small.form.window.ActiveControl = "MaskEdit64";
  MaskEdit10KeyUp(small.form, 64, CellKey::Other, 2);
  EXPECT_EQ(small.form.window.ActiveControl, "MaskEdit64");
  small.form.window.ActiveControl = "MaskEdit60";
  MaskEdit10KeyUp(small.form, 60, CellKey::Down, 0);
  EXPECT_EQ(small.form.window.ActiveControl, "MaskEdit60");
  MaskEdit10KeyUp(small.form, 5, CellKey::Up, 0);
  EXPECT_EQ(small.form.window.ActiveControl, "MaskEdit60") << "first row: stays";
}

TEST(DataEditor, LeftArrowNeedsTwoPressesAtTheStart) {
  EditorRig rig;
  Button4Click(rig.form);
  rig.form.window.ActiveControl = "MaskEdit10";
  MaskEdit10KeyUp(rig.form, 10, CellKey::Other, 1);  // a digit typed: caret at 1
  MaskEdit10KeyUp(rig.form, 10, CellKey::Left, 0);   // 1 -> 0 leaves the counter at 0
  EXPECT_EQ(rig.form.editorKeyCounter, 0);
  MaskEdit10KeyUp(rig.form, 10, CellKey::Left, 0);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit10");
  MaskEdit10KeyUp(rig.form, 10, CellKey::Left, 0);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit9");
  MaskEdit10KeyUp(rig.form, 9, CellKey::Left, 0);
  MaskEdit10KeyUp(rig.form, 9, CellKey::Left, 0);
  EXPECT_EQ(rig.form.window.ActiveControl, "MaskEdit8") << "two more presses move on";
  MaskEdit10Click(rig.form, 9);
  EXPECT_EQ(rig.form.editorKeyCounter, -1);
  rig.form.window.SelLength = 2;
  MaskEdit1MouseUp(rig.form, 9);
  EXPECT_EQ(rig.form.window.SelLength, 1);
  rig.form.window.SelLength = 2;
  MaskEdit10Enter(rig.form, 9);
  EXPECT_EQ(rig.form.window.SelLength, 1);
}

}  // namespace
}  // namespace kalmar::testing
