#include "device/chip_selection.h"

#include <algorithm>

#include "device/vpp_reminder.h"
#include "link/line_protocol.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/program_read.h"

namespace kalmar {

namespace {

const char* const kCaptionStart = " Kalmar   // микроконтроллер ";

std::string portCaption(bool lpt1) {
  return lpt1 ? "// порт LPT1(378h)" : "// порт LPT2(278h)";
}

void markChip(TForm1& form, const CatalogueEntry& chip) {
  SetMenuPic(form);
  chipMenuItem(form.window, chip).Caption = std::string(chip.name) + " ^";
  // A chip with factory values gets its configuration word only with them.
  const bool writesConfig = !chip.calibrationPreserved;
  form.window.routes.N17.Enabled = writesConfig;
  form.window.routes.N19.Enabled = writesConfig;
}

void applyPanelAndLayout(TForm1& form, const CatalogueEntry& chip) {
  if (chip.panel == ConfigPanel::GroupBox5)
    Chenge_Form_84(form);
  else if (chip.panel == ConfigPanel::Fields)
    Chenge_Form_Fields(form);
  else
    Chenge_Form_62(form);
}

// The oscillator field of the second panel has two encodings; the same
// radio button stays chosen across a change of configuration layout. The
// PIC16F62x split their FOSC bits (4, 1, 0); the 8- and 14-pin chips keep
// them together (2:0).
void carryOscillatorCode(TForm1& form, ConfigLayout layout) {
  int& code = form.window.GroupBox10.Tag;
  const bool splitField = layout == ConfigLayout::F62x || layout == ConfigLayout::F62xA;
  if (splitField && code >= 4 && code <= 7) code += 12;
  if (layout == ConfigLayout::F12F6xx && code >= 16 && code <= 19) code -= 12;
}

}  // namespace

const std::vector<ChipMenuGroup>& chipMenuGroups() {
  static const std::vector<ChipMenuGroup> kGroups = {
      {"ChipGroupF8x", "PIC16F87/88, PIC16F818/819"},
      {"ChipGroupF716", "PIC16F716"},
      {"ChipGroupF683", "PIC12F683, PIC16F684/688"},
      {"ChipGroupF690", "PIC16F631/677/685/687/689/690 (ICSP)"},
      {"ChipGroupF87xA", "PIC16F873A/874A/876A/877A (ICSP)"},
      {"ChipGroupF88x", "PIC16F882/883/884/886/887 (ICSP)"},
  };
  return kGroups;
}

const ChipMenuGroup* chipMenuGroupOf(const CatalogueEntry& chip) {
  if (chip.menuGroup == nullptr) return nullptr;
  for (const ChipMenuGroup& group : chipMenuGroups())
    if (std::string_view(group.component) == chip.menuGroup) return &group;
  return nullptr;
}

// The chip's profile, and the line's guard against VPP for a chip entered
// at low voltage only: set with the profile, so no later step can forget it.
void useProfile(TForm1& form, const CatalogueEntry& chip) {
  form.chip.profile = profileOf(chip);
  form.chip.line.setLowVoltageEntry(chip.lowVoltageEntry);
}

void selectChip(TForm1& form, const CatalogueEntry& chip) {
  markChip(form, chip);
  form.window.Caption =
      kCaptionStart + std::string(chip.captionLabel) + portCaption(form.port.isLpt1());
  useProfile(form, chip);
  carryOscillatorCode(form, chip.layout);
  if (chip.calibrationPreserved) {
    form.window.bg.Label1 = "BG - не менять";
    form.window.bg.ListBox1ItemIndex = 0;
    form.window.bg.Panel3Tag = 0;
  }
  applyPanelAndLayout(form, chip);
  Config_Chenge(form);
  remindToLowerVpp(form);
}

namespace {

// The hints name the chip's own oscillator pins: the one that gives CLKOUT
// and the one that takes CLKIN.
void setRadioHints(TForm1& form) {
  auto& rb = form.window.RadioButton;
  const DeviceProfile& chip = form.chip.profile;
  const std::string out(chip.oscillatorPins.clockOut);
  const std::string in(chip.oscillatorPins.clockIn);
  const std::string rc = chip.erOscillatorLabels ? "ER генератор" : "RC генератор";
  rb[11].Caption = chip.erOscillatorLabels ? "ER1" : "RC1";
  rb[12].Caption = chip.erOscillatorLabels ? "ER2" : "RC2";
  rb[11].Hint = rc + ", вывод " + out + " - цифровой порт ввода/вывода";
  rb[12].Hint = rc + ", вывод " + out + " - CLKOUT";
  // On the PIC16F627A/628A an external clock leaves both pins to the port.
  rb[8].Hint = chip.layout == ConfigLayout::F62xA
                   ? "EC генератор, " + out + " и " + in + " - цифровые порты ввода/вывода"
                   : "EC генератор, " + out + " - цифровой порт ввода/вывода, " + in + " - CLKIN";
  rb[9].Hint = "INTRC генератор, выводы " + out + " и " + in + " - цифровые порты ввода/вывода";
  rb[10].Hint =
      "INTRC генератор, выводы " + out + " - CLKOUT, " + in + " - цифровой порт ввода/вывода";
}

}  // namespace

void SetMenuPic(TForm1& form) {
  for (const CatalogueEntry& chip : catalogue())
    chipMenuItem(form.window, chip).Caption = chip.name;
}

bool selectChipByName(TForm1& form, const std::string& name) {
  const CatalogueEntry* chip = findChip(name);
  if (chip == nullptr) return false;
  selectChip(form, *chip);
  return true;
}

void applyPort(TForm1& form, bool lpt1) {
  form.window.chipMenu.LPT11.Caption = lpt1 ? "LPT1 (378h) ^" : "LPT1 (378h)";
  form.window.chipMenu.LPT2278h1.Caption = lpt1 ? "LPT2 (278h)" : "LPT2 (278h) ^";
  form.port.dataRegister = lpt1 ? 0x378 : 0x278;
  form.port.statusRegister = lpt1 ? 0x379 : 0x279;
  form.chip.line.setDataRegister(form.port.dataRegister);
}

// A port choice always puts three blanks after the chip name, whatever the
// chip; a chip choice uses the chip's own label.
void LPT11Click(TForm1& form) {
  applyPort(form, true);
  form.window.Caption = kCaptionStart + form.chip.profile.name + "   " + portCaption(true);
}

void LPT2278h1Click(TForm1& form) {
  applyPort(form, false);
  form.window.Caption = kCaptionStart + form.chip.profile.name + "   " + portCaption(false);
}

void Chenge_Form_84(TForm1& form) {
  WindowState& w = form.window;
  w.bg.Panel3Visible = false;
  w.fieldPanel.Visible = false;
  w.GroupBox7.Enabled = false;
  w.GroupBox7.Visible = false;
  w.GroupBox5.Enabled = true;
  w.GroupBox5.Visible = true;
  w.Height = 367;
  w.dataRowsShown = 8;
  w.programRowsShown = 128;
  if (const CatalogueEntry* chip = findChip(form.chip.profile.name))
    useProfile(form, *chip);
  form.chip.profile.programWords = 1024;
  form.chip.profile.dataBytes = 64;
  Chenge_Form_Edit(form);
}

void Chenge_Form_62(TForm1& form) {
  WindowState& w = form.window;
  const CatalogueEntry* chip = findChip(form.chip.profile.name);
  if (chip == nullptr) return;
  useProfile(form, *chip);
  w.fieldPanel.Visible = false;
  w.GroupBox5.Enabled = false;
  w.GroupBox5.Visible = false;
  w.GroupBox7.Enabled = true;
  w.GroupBox7.Visible = true;
  setRadioHints(form);
  w.dataRowsShown = form.chip.profile.dataBytes / 8;  // 16; 32 on the PIC16F648A
  w.Height = 510 + (w.dataRowsShown - 16) * 13;
  w.programRowsShown = form.chip.profile.programWords / 8;
  // Bit 7 of the PIC16F62x word is LVP; the 8- and 14-pin chips' panel
  // keeps its caption there and shows the BG chooser instead.
  if (chip->layout != ConfigLayout::F12F6xx) w.CheckBox[10].Caption = "LVP";
  w.bg.Panel3Visible = chip->calibrationPreserved;
  Chenge_Form_Edit(form);
}

// The chips added later: the field panel in place of both, the window as
// tall as the second panel's (a chip without data memory keeps its rows'
// place), the buffer reset with its words blank.
void Chenge_Form_Fields(TForm1& form) {
  WindowState& w = form.window;
  const CatalogueEntry* chip = findChip(form.chip.profile.name);
  if (chip == nullptr) return;
  useProfile(form, *chip);
  w.bg.Panel3Visible = false;
  for (GroupBox* panel : {&w.GroupBox5, &w.GroupBox7}) {
    panel->Enabled = false;
    panel->Visible = false;
  }
  w.dataRowsShown = form.chip.profile.dataBytes / 8;
  w.Height = 510 + (std::max(w.dataRowsShown, 16) - 16) * 13;
  w.programRowsShown = form.chip.profile.programWords / 8;
  Chenge_Form_Edit(form);
  setUpFieldPanel(form);
}

void Chenge_Form_Edit(TForm1& form) {
  Buffer& buffer = form.buffer;
  buffer.program.fill(kBlankWord);
  buffer.disassembly = buffer.program;
  form.window.Memo14.clear();
  form.window.Memo15.assign(kMaxProgramWords, " ");
  buffer.data.fill(kBlankByte);
  buffer.dataEdit.fill(kBlankByte);
  ClearMemo(form);
  ClearME(form);
  for (SourceIndicator* box : {&form.window.Edit1, &form.window.Edit3, &form.window.Edit4,
                               &form.window.Edit5, &form.window.Edit6, &form.window.Edit8}) {
    // Every box that reads "Буфер" says so in its hint too, not what it
    // showed before (a chip read).
    box->Text = "Буфер";
    box->Bold = true;
    box->Hint = "Отображено состояние буфера";
  }
}

void applyChipFromSettings(TForm1& form, const CatalogueEntry& chip) {
  markChip(form, chip);
  useProfile(form, chip);
  applyPanelAndLayout(form, chip);
}

}  // namespace kalmar
