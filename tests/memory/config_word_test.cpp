#include "memory/config_word.h"

#include <gtest/gtest.h>

#include "device/catalogue.h"
#include "device/chip_selection.h"
#include "device/config_spaces.h"
#include "memory/config_check.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

struct ConfigRig : FormRig {
  explicit ConfigRig(const char* chip, sim::ChipKind kind = sim::ChipKind::PIC16F84)
      : FormRig(kind) {
    start();
    selectChipByName(form, chip);
  }
  // Sets a check box as the user would, only when it differs.
  void set(int box, bool checked) {
    if (form.window.CheckBox[box].Checked != checked) userClickCheckBox(form, box);
  }
  std::uint16_t word() const { return form.buffer.config; }
};

TEST(ConfigWord, FirstPanelComposesPerChip) {
  ConfigRig f84("PIC16F84");
  userClickRadioButton(f84.form, 1);  // RC
  EXPECT_EQ(f84.word(), 0x3FFB);
  EXPECT_EQ(f84.form.window.GroupBox5.Caption, "Конфигурация  3FFB");
  ConfigRig c84("PIC16C84");
  userClickRadioButton(c84.form, 1);
  EXPECT_EQ(c84.word(), 0x3FF3) << "PWRTE is active high on the PIC16C84";

  ConfigRig f84a("PIC16F84A");
  userClickRadioButton(f84a.form, 3);  // XT
  f84a.set(1, true);
  f84a.set(2, true);
  f84a.set(3, true);
  EXPECT_EQ(f84a.word(), 0x0005);
  EXPECT_EQ(f84a.form.window.Edit3.Text, "Буфер");
}

TEST(ConfigWord, SecondPanelComposesPerChip) {
  ConfigRig f628("PIC16F628");
  userClickRadioButton(f628.form, 9);  // INTRC1
  EXPECT_EQ(f628.word(), 0x3F18);
  f628.set(8, true);
  EXPECT_EQ(f628.word(), 0x0318);

  ConfigRig f628a("PIC16F628A");
  userClickRadioButton(f628a.form, 9);
  EXPECT_EQ(f628a.word(), 0x3F18);
  f628a.set(8, true);
  EXPECT_EQ(f628a.word(), 0x1F18);
  userClickRadioButton(f628a.form, 12);
  EXPECT_EQ(f628a.word() & 0x13, 0x13);

  ConfigRig f675("PIC12F675");
  userClickRadioButton(f675.form, 9);  // INTRC1, code 4
  f675.set(5, true);
  EXPECT_EQ(f675.word(), 0x0184);
  ListBox1Click(f675.form, 3);  // "10"
  EXPECT_EQ(f675.word(), 0x2184);
  EXPECT_EQ(f675.form.window.bg.Label1, "BG - 10");
  EXPECT_EQ(f675.form.window.bg.Panel3Tag, 1);
  ListBox1Click(f675.form, 0);
  EXPECT_EQ(f675.word(), 0x0184);
  EXPECT_EQ(f675.form.window.bg.Label1, "BG - не менять");
}

TEST(ConfigWord, WordToPanelAndBack) {
  ConfigRig rig("PIC16F84A");
  rig.form.buffer.config = 0x0005;
  Config_Chenge_iz_W(rig.form);
  const auto& w = rig.form.window;
  EXPECT_TRUE(w.CheckBox[3].Checked);
  EXPECT_TRUE(w.CheckBox[2].Checked);
  EXPECT_TRUE(w.CheckBox[1].Checked);
  EXPECT_TRUE(w.RadioButton[3].Checked);
  EXPECT_FALSE(w.RadioButton[1].Checked);
  EXPECT_EQ(w.GroupBox6.Tag, 3);
  EXPECT_EQ(rig.word(), 0x0005) << "setting the switches does not rebuild the word";

  rig.form.buffer.config = 0x1FFF;  // mixed protection bits
  Config_Chenge_iz_W(rig.form);
  EXPECT_TRUE(w.CheckBox[3].Checked);
  EXPECT_FALSE(w.CheckBox[2].Checked);
  EXPECT_TRUE(w.CheckBox[1].Checked);
  EXPECT_TRUE(w.RadioButton[3].Checked) << "no oscillator button changes";
  EXPECT_EQ(w.GroupBox5.Caption, "Конфигурация  1FFF");
  EXPECT_EQ(w.GroupBox7.Caption, "Конфигурация  1FFF");

  rig.form.buffer.config = 0xFFFF;  // a word from a file with bits 14 and 15 set
  Config_Chenge_iz_W(rig.form);
  EXPECT_EQ(w.GroupBox5.Caption, "Конфигурация  FFFF");
}

TEST(ConfigWord, SecondPanelFromWord) {
  ConfigRig rig("PIC16F627");
  rig.form.buffer.config = 0x2BE5;  // partial protection, LVP, MCLRE, WDTE, XT
  Config_Chenge_iz_W(rig.form);
  const auto& w = rig.form.window;
  EXPECT_TRUE(w.CheckBox[8].Checked);
  EXPECT_FALSE(w.CheckBox[9].Checked);
  EXPECT_TRUE(w.CheckBox[10].Checked);
  EXPECT_TRUE(w.CheckBox[6].Checked);
  EXPECT_TRUE(w.CheckBox[4].Checked);
  EXPECT_TRUE(w.CheckBox[5].Checked);
  EXPECT_TRUE(w.RadioButton[6].Checked);
  EXPECT_EQ(w.GroupBox10.Tag, 0x01);
}

TEST(ConfigWord, ReadSelectsTheChipsOscillatorForTheNextClick) {
  ConfigRig rig("PIC16F84A", sim::ChipKind::PIC16F84A);
  rig.sim.chip.config = 0x3FF9;  // XT, PWRT off, WDT off
  Button10Click(rig.form);
  EXPECT_EQ(rig.word(), 0x3FF9);
  EXPECT_EQ(rig.form.window.Edit3.Text, "Мк-р & Буфер");
  EXPECT_FALSE(rig.form.window.Edit3.Bold);
  EXPECT_EQ(rig.form.window.Edit3.Width, 69);
  EXPECT_EQ(rig.form.window.Edit1.Hint, "Отображено состояние буфера и микроконтроллера");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненное действие: успешно прочитано слово конфигурации "
            "микроконтроллера.");
  EXPECT_EQ(rig.form.window.ProgressBar1, 106);
  EXPECT_TRUE(rig.form.window.Enabled);
  userClickCheckBox(rig.form, 1);  // WDT on
  EXPECT_EQ(rig.word(), 0x3FFD) << "XT from the read, not the earlier choice";
  EXPECT_EQ(rig.form.window.Edit3.Text, "Буфер");
}

TEST(ConfigWord, ReadOn12F6xxShowsTheChipsBgBitsAndKeepsTheChoice) {
  ConfigRig rig("PIC12F675", sim::ChipKind::PIC12F675);
  ListBox1Click(rig.form, 4);  // "11"
  Button10Click(rig.form);
  EXPECT_EQ(rig.word(), 0x21FF);
  EXPECT_EQ(rig.form.window.bg.Label1, "BG - не менять (10)");
  EXPECT_EQ(rig.form.window.bg.ListBox1ItemIndex, 4);
  userClickCheckBox(rig.form, 4);
  EXPECT_EQ(rig.word() & 0x3000, 0x3000) << "the chosen 11 applies to the next change";

  rig.form.fileLoadFlag = true;
  Config_Chenge_iz_W(rig.form);
  rig.form.fileLoadFlag = false;
  EXPECT_EQ(rig.form.window.bg.Label1, "BG - 11");
}

TEST(ConfigWord, PanelUpdateLockIgnoresClicks) {
  ConfigRig rig("PIC16F628A");
  const std::uint16_t before = rig.word();
  rig.form.panelUpdateLock = true;
  rig.form.window.CheckBox[4].Checked = true;
  CheckBox1Click(rig.form, 4);
  RadioButton1Click(rig.form, 5);
  rig.form.panelUpdateLock = false;
  EXPECT_EQ(rig.word(), before);
  SpeedButton14Click(rig.form);
  EXPECT_TRUE(rig.form.window.bg.open());
  rig.form.window.Edit1.SelStart = 3;
  Edit3MouseUp(rig.form.window.Edit1);
  EXPECT_EQ(rig.form.window.Edit1.SelStart, 0);
}

TEST(ConfigWord, WriteChecksByReadingBack) {
  ConfigRig rig("PIC16F628A", sim::ChipKind::PIC16F628A);
  rig.recordProgress();
  Button12Click(rig.form);
  EXPECT_TRUE(rig.form.operation.ok);
  EXPECT_EQ(rig.sim.chip.config, 0x3F18);
  EXPECT_EQ(rig.sim.chip.configRead(), 0x2118) << "bits 12:9 read 0 and pass the check";
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненное действие: успешно записано слово конфигурации "
            "микроконтроллера.");
  EXPECT_EQ(rig.progress, (std::vector<int>{5, 33, 70}));
  EXPECT_EQ(rig.form.window.ProgressBar1, 106);
  EXPECT_EQ(rig.sim.log().violations(), 0u) << rig.sim.log().eventsText();
}

// Bits the chip does not have read 0 and are not compared: a file's FF8Ah
// (bits 14-15 set by its compiler) checks as written on a PIC16F627A.
TEST(ConfigWord, UnimplementedBitsAreNotCompared) {
  ConfigRig rig("PIC16F627A", sim::ChipKind::PIC16F627A);
  rig.form.buffer.config = 0xFF8A;
  Proc_Write_Config(rig.form);
  EXPECT_TRUE(rig.form.operation.ok) << rig.form.window.StatusBar1;
  EXPECT_EQ(rig.sim.chip.configRead(), 0x218A);
  EXPECT_TRUE(rig.host.messages.empty());
}

TEST(ConfigWord, FailedWriteShowsBothWordsAndKeepsTheBufferWord) {
  ConfigRig rig("PIC16F628A", sim::ChipKind::PIC16F628A);
  rig.sim.chip.config = 0x0000;  // program-only cells that were never erased
  rig.form.window.Edit1 = {"Мк-р & Буфер", "hint", false, 130, 69};
  rig.host.expectMessage(MessageResult::Ok);
  Button12Click(rig.form);
  EXPECT_FALSE(rig.form.operation.ok);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].caption, "Ошибка при записи слова конфигурации микроконтроллера.");
  EXPECT_EQ(rig.host.messages[0].text,
            "В слово конфигурации должно было быть записано число 3F18.\r\n"
            "Проверка показала, что после записи в этой ячейке находится число 0000.");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Посл. вып. действие: неудачная попытка записать слово конфигурации программ "
            "микроконтроллера.");
  EXPECT_EQ(rig.word(), 0x3F18);
  EXPECT_EQ(rig.form.window.Edit1.Text, "Буфер");
  EXPECT_TRUE(rig.form.window.Edit1.Bold);
  EXPECT_EQ(rig.form.window.Edit1.Hint, "hint") << "hints are not changed";
  EXPECT_NE(rig.form.window.ProgressBar1, 106);
  EXPECT_TRUE(rig.form.window.Enabled) << "busy lock released";
}

TEST(ConfigWord, ProtectionWarningCanBeRefused) {
  ConfigRig rig("PIC16F84A", sim::ChipKind::PIC16F84A);
  rig.set(3, true);
  rig.host.expectMessage(MessageResult::Cancel);
  Button12Click(rig.form);
  ASSERT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.host.messages[0].text,
            "Вы установили бит защиты кода. После программирования все данные,\r\n"
            "записанные в микроконтроллере, перестанут быть доступными для\r\n"
            "чтения и редактирования.\r\nВы действительно хотите продолжить?");
  EXPECT_EQ(rig.form.window.StatusBar1,
            " Последнее выполненое действие: отказ от записи данных в память программ "
            "микроконтроллера.");
  EXPECT_EQ(rig.sim.chip.config, 0x3FFF) << "nothing written";

  ConfigRig other("PIC16F628A", sim::ChipKind::PIC16F628A);
  other.set(9, true);
  other.host.expectMessage(MessageResult::Ok);
  Button12Click(other.form);
  EXPECT_EQ(other.host.messages[0].text.rfind(
                "Вы установили бит защиты кода. После программирования данные,\r\n", 0),
            0u);
  EXPECT_EQ(other.sim.chip.config, other.word());
}

TEST(ConfigWord, NoAdapterTouchesNothing) {
  ConfigRig rig("PIC16F84A", sim::ChipKind::PIC16F84A);
  rig.sim.adapter.faults.noAdapter = true;
  rig.host.expectMessage(MessageResult::Ok);
  Button10Click(rig.form);
  EXPECT_EQ(rig.host.messages.size(), 1u);
  EXPECT_EQ(rig.word(), 0x3FFB);
}

// Only a chip entered at low voltage only is guarded, by its LVP field
// wherever its words put it: CONFIG2 bit 13 on the PIC12F1822 family; the
// PIC16F88's LVP (bit 7 of its first word) leaves it the high voltage.
TEST(ConfigWord, ClearingLvpMattersOnlyOnALowVoltageChip) {
  DeviceProfile lowVoltage = profileOf(*findChip("PIC16F88"));
  lowVoltage.configSpace = &kConfigSpaceEnhanced4K;
  lowVoltage.lowVoltageEntry = true;
  EXPECT_FALSE(clearsLowVoltageEntry(lowVoltage, 0x3FFF, 0x3FFF));
  EXPECT_TRUE(clearsLowVoltageEntry(lowVoltage, 0x3FFF, 0x1FFF));
  EXPECT_FALSE(clearsLowVoltageEntry(lowVoltage, 0x0000, 0x2000));
  const DeviceProfile f88 = profileOf(*findChip("PIC16F88"));
  EXPECT_FALSE(clearsLowVoltageEntry(f88, 0x3F7F, 0x3FFF));
}

}  // namespace
}  // namespace kalmar::testing
