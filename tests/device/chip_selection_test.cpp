#include "device/chip_selection.h"

#include <gtest/gtest.h>

#include "files/hex_load.h"
#include "memory/config_word.h"
#include "model/hex_text.h"
#include "support/form_rig.h"

namespace kalmar::testing {
namespace {

int markedChips(const WindowState& window) {
  int marked = 0;
  for (const CatalogueEntry& chip : catalogue())
    marked += chipMenuItem(window, chip).Caption.find(" ^") != std::string::npos;
  return marked;
}

TEST(ChipSelection, EveryChipGetsItsSizesPanelAndMark) {
  struct Case {
    const char* name;
    int words, bytes;
    bool panel5, bgPanel, writesConfig;
  };
  for (Case c : {Case{"PIC16F84", 1024, 64, true, false, true},
                 Case{"PIC16F84A", 1024, 64, true, false, true},
                 Case{"PIC16C84", 1024, 64, true, false, true},
                 Case{"PIC16F627", 1024, 128, false, false, true},
                 Case{"PIC16F627A", 1024, 128, false, false, true},
                 Case{"PIC16F628", 2048, 128, false, false, true},
                 Case{"PIC16F628A", 2048, 128, false, false, true},
                 Case{"PIC12F629", 1024, 128, false, true, false},
                 Case{"PIC12F675", 1024, 128, false, true, false}}) {
    SCOPED_TRACE(c.name);
    FormRig rig;
    rig.start();
    selectChipByName(rig.form, c.name);
    const WindowState& w = rig.form.window;
    EXPECT_EQ(rig.form.chip.profile.name, c.name);
    EXPECT_EQ(rig.form.chip.profile.programWords, c.words);
    EXPECT_EQ(rig.form.chip.profile.dataBytes, c.bytes);
    EXPECT_EQ(w.programRowsShown, c.words / 8);
    EXPECT_EQ(w.dataRowsShown, c.bytes / 8);
    EXPECT_EQ(w.GroupBox5.Visible, c.panel5);
    EXPECT_EQ(w.GroupBox7.Visible, !c.panel5);
    EXPECT_EQ(w.bg.Panel3Visible, c.bgPanel);
    EXPECT_EQ(w.routes.N17.Enabled, c.writesConfig);
    EXPECT_EQ(w.routes.N19.Enabled, c.writesConfig);
    EXPECT_EQ(markedChips(w), 1);
    EXPECT_EQ(chipMenuItem(w, *findChip(c.name)).Caption, std::string(c.name) + " ^");
  }
}

TEST(ChipSelection, CaptionBlanksDifferBetweenChipAndPortChoice) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, "PIC16F627A");
  EXPECT_EQ(rig.form.window.Caption, " Kalmar   // микроконтроллер PIC16F627A  // порт LPT1(378h)");
  LPT2278h1Click(rig.form);
  EXPECT_EQ(rig.form.window.Caption,
            " Kalmar   // микроконтроллер PIC16F627A   // порт LPT2(278h)");
  EXPECT_EQ(rig.form.port.dataRegister, 0x278);
  EXPECT_EQ(rig.form.port.statusRegister, 0x279);
  EXPECT_EQ(rig.form.chip.line.dataRegister(), 0x278);
  EXPECT_EQ(rig.form.window.chipMenu.LPT2278h1.Caption, "LPT2 (278h) ^");
  EXPECT_EQ(rig.form.window.chipMenu.LPT11.Caption, "LPT1 (378h)");
  selectChipByName(rig.form, "PIC16F627A");
  EXPECT_EQ(rig.form.window.Caption, " Kalmar   // микроконтроллер PIC16F627A  // порт LPT2(278h)");
  selectChipByName(rig.form, "PIC16F84A");
  EXPECT_EQ(rig.form.window.Caption, " Kalmar   // микроконтроллер PIC16F84A   // порт LPT2(278h)");
  LPT11Click(rig.form);
  EXPECT_EQ(rig.form.window.chipMenu.LPT11.Caption, "LPT1 (378h) ^");
  EXPECT_EQ(rig.form.window.chipMenu.LPT2278h1.Caption, "LPT2 (278h)");
}

TEST(ChipSelection, OscillatorCodeCarriesOverBetweenEncodings) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, "PIC12F629");
  rig.form.window.GroupBox10.Tag = 5;
  selectChipByName(rig.form, "PIC16F628");
  EXPECT_EQ(rig.form.window.GroupBox10.Tag, 17);
  EXPECT_EQ(rig.form.buffer.config & 0x13, 0x11) << "INTRC2 in the new word";
  selectChipByName(rig.form, "PIC12F675");
  EXPECT_EQ(rig.form.window.GroupBox10.Tag, 5);
  rig.form.window.GroupBox10.Tag = 2;
  selectChipByName(rig.form, "PIC16F628A");
  EXPECT_EQ(rig.form.window.GroupBox10.Tag, 2);
  selectChipByName(rig.form, "PIC16F84A");
  EXPECT_EQ(rig.form.window.GroupBox10.Tag, 2) << "the first panel's chips leave it alone";
}

TEST(ChipSelection, ResetsTheBufferAndRebuildsTheWordFromThePanel) {
  FormRig rig;
  rig.start();
  rig.form.buffer.program[5] = 0x1234;
  rig.form.buffer.data[3] = 0x11;
  rig.form.buffer.dataEdit[3] = 0x11;
  rig.form.window.dataCells[3] = "11";
  rig.form.window.Edit4 = {"Микроконтроллер", "x", false};
  selectChipByName(rig.form, "PIC16F628");
  EXPECT_EQ(rig.form.buffer.program[5], 0x3FFF);
  EXPECT_EQ(rig.form.buffer.disassembly[5], 0x3FFF);
  EXPECT_EQ(rig.form.buffer.data[3], 0xFF);
  EXPECT_EQ(rig.form.buffer.dataEdit[3], 0xFF);
  EXPECT_EQ(rig.form.window.dataCells[3], "FF");
  EXPECT_EQ(rig.form.window.Edit4.Text, "Буфер");
  EXPECT_TRUE(rig.form.window.Edit4.Bold);
  EXPECT_EQ(rig.form.window.Edit4.Hint, "Отображено состояние буфера")
      << "a buffer box has the buffer hint";
  EXPECT_EQ(rig.form.buffer.config, 0x3F18) << "INTRC1, all switches off";
  EXPECT_EQ(rig.form.window.GroupBox7.Caption, "Конфигурация  3F18");
}

TEST(ChipSelection, SecondPanelLabelsFollowTheChip) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, "PIC16F627");
  const auto& rb = rig.form.window.RadioButton;
  EXPECT_EQ(rb[11].Caption, "ER1");
  EXPECT_EQ(rb[12].Hint, "ER генератор, вывод RA6 - CLKOUT");
  EXPECT_EQ(rb[8].Hint, "EC генератор, RA6 - цифровой порт ввода/вывода, RA7 - CLKIN");
  selectChipByName(rig.form, "PIC16F628A");
  EXPECT_EQ(rb[11].Caption, "RC1");
  EXPECT_EQ(rb[8].Hint, "EC генератор, RA6 и RA7 - цифровые порты ввода/вывода");
  EXPECT_EQ(rb[9].Hint, "INTRC генератор, выводы RA6 и RA7 - цифровые порты ввода/вывода");
  selectChipByName(rig.form, "PIC12F675");
  EXPECT_EQ(rb[12].Caption, "RC2");
  EXPECT_EQ(rb[10].Hint, "INTRC генератор, выводы GP4 - CLKOUT, GP5 - цифровой порт ввода/вывода");
  EXPECT_EQ(rig.form.window.bg.Label1, "BG - не менять");
  // The 14-pin chips share the 8-pin chips' word but not their pin names.
  selectChipByName(rig.form, "PIC16F676");
  EXPECT_EQ(rb[11].Hint, "RC генератор, вывод RA4 - цифровой порт ввода/вывода");
  EXPECT_EQ(rb[8].Hint, "EC генератор, RA4 - цифровой порт ввода/вывода, RA5 - CLKIN");
  EXPECT_EQ(rb[10].Hint, "INTRC генератор, выводы RA4 - CLKOUT, RA5 - цифровой порт ввода/вывода");

  rig.form.window.bg = {true, 16, 1, "BG - 10", "Колибровочный бит", 3};
  selectChipByName(rig.form, "PIC12F629");
  EXPECT_EQ(rig.form.window.bg.Panel3Tag, 0) << "keep mode again";
  EXPECT_EQ(rig.form.window.bg.ListBox1ItemIndex, 0);
  EXPECT_EQ(rig.form.window.bg.Label1, "BG - не менять");
}

// The field panel of the chips added later: the fields from the chip's
// table, a chosen setting in its bits of the word, a typed word in the
// fields, the calibration word only as read from the chip.
const FieldChooser* fieldNamed(const FieldPanelState& panel, const std::string& name, int& index) {
  for (std::size_t i = 0; i < panel.fields.size(); ++i)
    if (panel.fields[i].name == name) {
      index = static_cast<int>(i);
      return &panel.fields[i];
    }
  return nullptr;
}

TEST(FieldPanel, ReplacesTheSwitchesAndStartsFromTheErasedWords) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, "PIC16F88");
  const WindowState& w = rig.form.window;
  EXPECT_TRUE(w.fieldPanel.Visible);
  EXPECT_FALSE(w.GroupBox5.Visible || w.GroupBox7.Visible || w.bg.Panel3Visible);
  EXPECT_EQ(w.fieldPanel.words, 2);
  EXPECT_EQ(w.fieldPanel.fields.size(), 13u);
  EXPECT_LE(w.fieldPanel.fields.size(), static_cast<std::size_t>(FieldPanelState::kSlots));
  EXPECT_EQ(w.fieldPanel.wordTexts, (std::array<std::string, 2>{"3FFF", "0003"}));
  EXPECT_EQ(rig.form.buffer.config2, 0x0003);
  EXPECT_FALSE(w.fieldPanel.calibrationShown);
  int fosc = -1;
  ASSERT_TRUE(fieldNamed(w.fieldPanel, "FOSC", fosc));
  EXPECT_EQ(w.fieldPanel.fields[static_cast<std::size_t>(fosc)].choices[4],
            "INTRC: RA6 и RA7 — порты");
  EXPECT_EQ(w.fieldPanel.fields[static_cast<std::size_t>(fosc)].hint, "FOSC: слово 2007h, биты 4, 1-0");

  selectChipByName(rig.form, "PIC16F628A");  // back to a first chip: its own panel
  EXPECT_FALSE(w.fieldPanel.Visible);
  EXPECT_TRUE(w.GroupBox7.Visible);
  EXPECT_EQ(rig.form.buffer.config, 0x3F18);
}

TEST(FieldPanel, AChoiceSetsItsBitsAndATypedWordSetsTheChoices) {
  FormRig rig;
  rig.start();
  selectChipByName(rig.form, "PIC16F88");
  const FieldPanelState& panel = rig.form.window.fieldPanel;
  int fosc = -1, fcmen = -1;
  fieldNamed(panel, "FOSC", fosc);
  fieldNamed(panel, "FCMEN", fcmen);
  ConfigFieldChange(rig.form, fosc, 0);  // LP: 000 in bits 4, 1:0
  EXPECT_EQ(rig.form.buffer.config, 0x3FEC);
  EXPECT_EQ(panel.wordTexts[0], "3FEC");
  EXPECT_EQ(panel.fields[static_cast<std::size_t>(fosc)].index, 0);
  ConfigFieldChange(rig.form, fcmen, 0);  // the second word's field
  EXPECT_EQ(rig.form.buffer.config2, 0x0002);
  EXPECT_EQ(panel.wordTexts[1], "0002");
  EXPECT_EQ(rig.form.buffer.config, 0x3FEC);

  ConfigWordChange(rig.form, 0, "3f");  // half typed: the word waits
  EXPECT_EQ(panel.wordTexts[0], "3F");
  EXPECT_EQ(rig.form.buffer.config, 0x3FEC);
  ConfigWordChange(rig.form, 0, "3f13");
  EXPECT_EQ(rig.form.buffer.config, 0x3F13);
  EXPECT_EQ(panel.wordTexts[0], "3F13");
  EXPECT_EQ(panel.fields[static_cast<std::size_t>(fosc)].index, 7) << "EXTRC, CLKO";
  ConfigWordChange(rig.form, 0, "FFFF");  // beyond 14 bits: never the word
  EXPECT_EQ(rig.form.buffer.config, 0x3F13);
  ConfigWordEditDone(rig.form);
  EXPECT_EQ(panel.wordTexts[0], "3F13");
  ConfigWordChange(rig.form, 1, "zz");
  EXPECT_EQ(panel.wordTexts[1], "") << "no digit, nothing shown";
  EXPECT_EQ(rig.form.buffer.config2, 0x0002);
}

TEST(FieldPanel, AFileAndTheChipFillItAndTheSettingsBringItBack) {
  FormRig rig(sim::ChipKind::PIC12F683);
  rig.start();
  selectChipByName(rig.form, "PIC16F88");
  ASSERT_TRUE(loadHexFile(rig.form, std::string(KALMAR_PROGRAMS_DIR) + "/PIC16F88/filled.hex"));
  const FieldPanelState& panel = rig.form.window.fieldPanel;
  EXPECT_EQ(panel.wordTexts, (std::array<std::string, 2>{"3F2A", "3FFE"}));
  int fosc = -1;
  fieldNamed(panel, "FOSC", fosc);
  EXPECT_EQ(panel.fields[static_cast<std::size_t>(fosc)].index, 2) << "HS";

  selectChipByName(rig.form, "PIC12F683");
  EXPECT_TRUE(panel.calibrationShown);
  EXPECT_EQ(panel.calibrationText, "----") << "unknown before a read";
  Button10Click(rig.form);
  ASSERT_TRUE(rig.form.buffer.chipCalibration);
  EXPECT_EQ(panel.calibrationText, hex4(*rig.form.buffer.chipCalibration));
  EXPECT_EQ(panel.wordTexts[0], hex4(rig.form.buffer.config));
  ConfigWordChange(rig.form, 0, "0FD4");
  FormClose(rig.form);

  FormRig next;
  std::filesystem::copy_file(rig.directory / "Kalmar.cfg", next.directory / "Kalmar.cfg");
  next.start();
  EXPECT_EQ(next.form.chip.profile.name, "PIC12F683");
  EXPECT_EQ(chipMenuItem(next.form.window, *findChip("PIC12F683")).Caption, "PIC12F683 ^");
  EXPECT_EQ(next.form.window.Caption, " Kalmar   // микроконтроллер PIC12F683   // порт LPT1(378h)");
  EXPECT_TRUE(next.form.window.fieldPanel.Visible);
  EXPECT_EQ(next.form.window.fieldPanel.wordTexts[0], "0FD4");
}

// The PIC16F88x may want less than the adapter's VPP: the first choice of
// one in a run says how to lower it, and no later choice says it again.
TEST(ChipSelection, AChipWantingLessVppIsToldOfOnce) {
  FormRig rig;
  rig.start();
  rig.form.lowerVppReminded = false;
  selectChipByName(rig.form, "PIC16F877A");
  EXPECT_TRUE(rig.host.messages.empty());
  rig.host.expectMessage(MessageResult::Ok);
  selectChipByName(rig.form, "PIC16F886");
  ASSERT_EQ(rig.host.messages.size(), 1U);
  EXPECT_EQ(rig.host.messages[0].caption, "Напряжение программирования.");
  EXPECT_NE(rig.host.messages[0].text.find("PIC16F886"), std::string::npos);
  EXPECT_NE(rig.host.messages[0].text.find("S1"), std::string::npos);
  selectChipByName(rig.form, "PIC16F628A");
  selectChipByName(rig.form, "PIC16F887");
  EXPECT_EQ(rig.host.messages.size(), 1U);
}

}  // namespace
}  // namespace kalmar::testing
