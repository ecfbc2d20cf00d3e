#include "memory/config_word.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/chip_steps.h"
#include "memory/config_space_words.h"
#include "memory/data_cells.h"
#include "memory/operation_frame.h"
#include "memory/programming_cycle.h"
#include "model/config_fields.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

const char* const kBuffer = "Буфер";
const char* const kBufferHint = "Отображено состояние буфера";
const char* const kChipAndBuffer = "Мк-р & Буфер";
const char* const kChipAndBufferHint = "Отображено состояние буфера и микроконтроллера";
const char* const kReading = "Выполняемое действие: чтение слова конфигурации микроконтроллера.";
const char* const kReadDone =
    " Последнее выполненное действие: успешно прочитано слово конфигурации микроконтроллера.";
const char* const kWriting = "Выполняемое действие: запись слова конфигурации микроконтроллера.";
const char* const kWriteDone =
    " Последнее выполненное действие: успешно записано слово конфигурации микроконтроллера.";
const char* const kWriteFailed =
    " Посл. вып. действие: неудачная попытка записать слово конфигурации программ "
    "микроконтроллера.";
const char* const kWriteRefused =
    " Последнее выполненое действие: отказ от записи данных в память программ "
    "микроконтроллера.";

std::string panelCaption(std::uint32_t word) {
  return "Конфигурация  " + hex4(word);
}

void showBuffer(SourceIndicator& box, bool withHint) {
  box.Text = kBuffer;
  box.Bold = true;
  box.Left = 138;
  box.Width = 38;
  if (withHint) box.Hint = kBufferHint;
}

void showChipAndBuffer(SourceIndicator& box) {
  box.Text = kChipAndBuffer;
  box.Bold = false;
  box.Left = 130;
  box.Width = 69;
  box.Hint = kChipAndBufferHint;
}

// Checks radio button n and clears the others of its group (1-4 or 5-12).
void checkRadio(TForm1& form, int n) {
  int first = n <= 4 ? 1 : 5, last = n <= 4 ? 4 : 12;
  for (int i = first; i <= last; ++i) form.window.RadioButton[i].Checked = i == n;
}

int radioForCode62x(int code) {
  return code >= 0x10 ? code - 0x10 + 9 : code + 5;
}

std::uint16_t compose84(const TForm1& form) {
  const auto& box = form.window.CheckBox;
  const bool c84 = form.chip.profile.layout == ConfigLayout::C84;
  int word = 4 - form.window.GroupBox6.Tag;
  if (box[1].Checked) word += 4;
  if (box[2].Checked == c84) word += 8;  // PWRTE is active high only on the PIC16C84
  if (!box[3].Checked) word += 0x3FF0;
  return static_cast<std::uint16_t>(word);
}

std::uint16_t compose62x(const TForm1& form) {
  const auto& box = form.window.CheckBox;
  const DeviceProfile& chip = form.chip.profile;
  // The unimplemented bits are written as 1s, as an erased chip has them.
  int word = (~chip.implementedConfigBits & 0x3FFF) + form.window.GroupBox10.Tag;
  if (box[4].Checked) word += 0x04;
  if (!box[5].Checked) word += 0x08;
  if (box[6].Checked) word += 0x20;
  if (box[7].Checked) word += 0x40;
  if (box[10].Checked) word += 0x80;
  if (!box[9].Checked) word += 0x100;
  if (!box[8].Checked) word += chip.codeProtectBits;
  return static_cast<std::uint16_t>(word);
}

std::uint16_t compose12F(const TForm1& form) {
  const auto& box = form.window.CheckBox;
  int word = form.window.GroupBox10.Tag;
  if (box[4].Checked) word += 0x08;
  if (!box[5].Checked) word += 0x10;
  if (box[6].Checked) word += 0x20;
  if (box[7].Checked) word += 0x40;
  if (!box[8].Checked) word += 0x80;
  if (!box[9].Checked) word += 0x100;
  if (form.window.bg.Panel3Tag == 1) {
    static const int kBgBits[5] = {0, 0x0000, 0x1000, 0x2000, 0x3000};
    int choice = form.window.bg.ListBox1ItemIndex;
    if (choice >= 1 && choice <= 4) word += kBgBits[choice];
  }
  return static_cast<std::uint16_t>(word);
}

void wordToPanel84(TForm1& form, int w) {
  auto& box = form.window.CheckBox;
  const bool c84 = form.chip.profile.layout == ConfigLayout::C84;
  if (w <= 0x3FEF) {
    box[3].Checked = true;
  } else {
    box[3].Checked = false;
    w -= 0x3FF0;
  }
  if (w <= 7) {
    box[2].Checked = !c84;
  } else {
    box[2].Checked = c84;
    w -= 8;
  }
  if (w <= 3) {
    box[1].Checked = false;
  } else {
    box[1].Checked = true;
    w -= 4;
  }
  if (w >= 0 && w <= 3) {
    checkRadio(form, 4 - w);
    form.window.GroupBox6.Tag = 4 - w;
  }
}

void wordToPanel62x(TForm1& form, std::uint16_t w) {
  auto& box = form.window.CheckBox;
  box[4].Checked = (w & 0x04) != 0;
  box[5].Checked = (w & 0x08) == 0;
  box[6].Checked = (w & 0x20) != 0;
  box[7].Checked = (w & 0x40) != 0;
  box[10].Checked = (w & 0x80) != 0;
  box[9].Checked = (w & 0x100) == 0;
  const std::uint16_t protection = form.chip.profile.codeProtectBits;
  box[8].Checked = (w & protection) != protection;
  form.window.GroupBox10.Tag = w & 0x13;
  checkRadio(form, radioForCode62x(w & 0x13));
}

void wordToPanel12F(TForm1& form, std::uint16_t w) {
  static const char* const kBgDigits[4] = {"00", "01", "10", "11"};
  const char* digits = kBgDigits[(w >> 12) & 3];
  form.window.bg.Label1 = form.fileLoadFlag ? std::string("BG - ") + digits
                                            : std::string("BG - не менять (") + digits + ")";
  auto& box = form.window.CheckBox;
  box[4].Checked = (w & 0x08) != 0;
  box[5].Checked = (w & 0x10) == 0;
  box[6].Checked = (w & 0x20) != 0;
  box[7].Checked = (w & 0x40) != 0;
  box[8].Checked = (w & 0x80) == 0;
  box[9].Checked = (w & 0x100) == 0;
  form.window.GroupBox10.Tag = w & 7;
  checkRadio(form, 5 + (w & 7));
}

bool protectionChosen(const TForm1& form) {
  const auto& box = form.window.CheckBox;
  const DeviceProfile& chip = form.chip.profile;
  if (chip.panel == ConfigPanel::Fields)
    return (form.buffer.config & chip.codeProtectBits) != chip.codeProtectBits;
  if (chip.panel == ConfigPanel::GroupBox5) return box[3].Checked;
  return box[8].Checked || box[9].Checked;
}

std::uint16_t& bufferWord(TForm1& form, int word) {
  return word == 0 ? form.buffer.config : form.buffer.config2;
}

// The words, the fields' settings and the calibration word as the buffer has them.
void wordsToFieldPanel(TForm1& form) {
  FieldPanelState& panel = form.window.fieldPanel;
  const ConfigSpace* space = form.chip.profile.configSpace;
  if (space == nullptr) return;
  for (int word = 0; word < panel.words; ++word)
    panel.wordTexts[static_cast<std::size_t>(word)] = hex4(bufferWord(form, word));
  for (std::size_t i = 0; i < panel.fields.size() && i < space->fields.size(); ++i) {
    const ConfigField& field = space->fields[i];
    panel.fields[i].index = choiceIndex(field, bufferWord(form, field.word));
  }
  const auto& calibration = form.buffer.chipCalibration;
  panel.calibrationText = calibration ? hex4(*calibration) : "----";
}

// Where a field's bits lie in its word, as the datasheet writes them: "4, 1-0".
std::string bitsOf(std::uint16_t mask) {
  std::string text;
  for (int bit = 13; bit >= 0;) {
    if ((mask & (1u << bit)) == 0) {
      --bit;
      continue;
    }
    int low = bit;
    while (low > 0 && (mask & (1u << (low - 1))) != 0) --low;
    if (!text.empty()) text += ", ";
    text += std::to_string(bit);
    if (low != bit) text += "-" + std::to_string(low);
    bit = low - 1;
  }
  return text;
}

std::string wordAddress(int word) {
  return word == 0 ? "2007h" : "2008h";
}

}  // namespace

// The family chooses the fields of the word and the panel that shows them;
// everything else about the chip is a capability of its catalogue row.
void Config_Chenge(TForm1& form) {
  std::uint16_t word = 0;
  switch (form.chip.profile.family) {
    case Family::Family84:
      word = compose84(form);
      form.window.GroupBox5.Caption = panelCaption(word);
      showBuffer(form.window.Edit3, true);
      break;
    case Family::Family62x:
      word = compose62x(form);
      form.window.GroupBox7.Caption = panelCaption(word);
      showBuffer(form.window.Edit1, true);
      break;
    case Family::Family12F6xx:
      word = compose12F(form);
      form.window.GroupBox7.Caption = panelCaption(word);
      showBuffer(form.window.Edit1, true);
      break;
    case Family::FieldTable:
      word = form.buffer.config;  // the field panel edits the buffer's words itself
      wordsToFieldPanel(form);
      break;
  }
  form.buffer.config = word;
}

void Config_Chenge_iz_W(TForm1& form) {
  form.panelUpdateLock = true;
  const std::uint16_t word = form.buffer.config;
  switch (form.chip.profile.family) {
    case Family::Family84:
      wordToPanel84(form, word);
      break;
    case Family::Family62x:
      wordToPanel62x(form, word);
      break;
    case Family::Family12F6xx:
      wordToPanel12F(form, word);
      break;
    case Family::FieldTable:
      wordsToFieldPanel(form);
      break;
  }
  form.window.GroupBox5.Caption = panelCaption(word);
  form.window.GroupBox7.Caption = panelCaption(word);
  form.panelUpdateLock = false;
}

void RadioButton1Click(TForm1& form, int n) {
  if (form.panelUpdateLock || n < 1 || n > 12) return;
  if (form.window.RadioButton[n].Checked) {
    switch (form.chip.profile.family) {
      case Family::Family84:
        form.window.GroupBox6.Tag = n;
        break;
      case Family::Family62x:
        form.window.GroupBox10.Tag = n <= 8 ? n - 5 : n + 7;
        break;
      case Family::Family12F6xx:
        form.window.GroupBox10.Tag = n - 5;
        break;
      case Family::FieldTable:
        break;
    }
  }
  Config_Chenge(form);
}

void CheckBox1Click(TForm1& form, int n) {
  if (form.panelUpdateLock || n < 1 || n > 10) return;
  Config_Chenge(form);
}

void userClickRadioButton(TForm1& form, int n) {
  if (n < 1 || n > 12) return;
  checkRadio(form, n);
  RadioButton1Click(form, n);
}

void userClickCheckBox(TForm1& form, int n) {
  if (n < 1 || n > 10) return;
  form.window.CheckBox[n].Checked = !form.window.CheckBox[n].Checked;
  CheckBox1Click(form, n);
}

void ListBox1Click(TForm1& form, int index) {
  static const char* const kItems[5] = {"не менять", "00", "01", "10", "11"};
  if (index < 0 || index > 4) return;
  BgChooserState& bg = form.window.bg;
  bg.ListBox1ItemIndex = index;
  bg.Panel3Tag = index != 0 ? 1 : 0;
  bg.Label1 = std::string("BG - ") + kItems[index];
  bg.Panel3Height = BgChooserState::kClosedHeight;
  Config_Chenge(form);
}

void SpeedButton14Click(TForm1& form) {
  form.window.bg.Panel3Height = BgChooserState::kOpenHeight;
}

void Edit3MouseUp(SourceIndicator& box) {
  box.SelStart = 0;
}

void setUpFieldPanel(TForm1& form) {
  FieldPanelState& panel = form.window.fieldPanel;
  const DeviceProfile& chip = form.chip.profile;
  panel.fields.clear();
  panel.Visible = chip.panel == ConfigPanel::Fields && chip.configSpace != nullptr;
  if (!panel.Visible) return;
  const ConfigSpace& space = *chip.configSpace;
  panel.words = space.words;
  for (int word = 0; word < 2; ++word)
    panel.wordLabels[static_cast<std::size_t>(word)] = wordAddress(word) + ":";
  for (const ConfigField& field : space.fields) {
    FieldChooser chooser;
    chooser.name = field.name;
    chooser.word = field.word;
    for (const ConfigChoice& choice : field.choices)
      chooser.choices.push_back(choiceLabel(choice, chip.oscillatorPins));
    chooser.hint = std::string(field.name) + ": слово " + wordAddress(field.word) + ", бит" +
                   (field.mask & (field.mask - 1) ? "ы " : " ") + bitsOf(field.mask);
    panel.fields.push_back(std::move(chooser));
  }
  panel.calibrationShown = chip.calibrationWordAt != 0;
  panel.calibrationLabel = "Калибровка " + hexDigits(chip.calibrationWordAt, 4) + "h:";
  panel.calibrationHint =
      "Калибровочное слово генератора, записанное изготовителем: читается из "
      "микроконтроллера, не изменяется и при стирании сохраняется";
  for (int word = 0; word < 2; ++word) bufferWord(form, word) = space.blank(word);
  form.buffer.chipCalibration.reset();
  wordsToFieldPanel(form);
}

void ConfigFieldChange(TForm1& form, int field, int choice) {
  const ConfigSpace* space = form.chip.profile.configSpace;
  if (space == nullptr || field < 0 || static_cast<std::size_t>(field) >= space->fields.size())
    return;
  const ConfigField& chosen = space->fields[static_cast<std::size_t>(field)];
  if (choice < 0 || static_cast<std::size_t>(choice) >= chosen.choices.size()) return;
  std::uint16_t& word = bufferWord(form, chosen.word);
  word = withChoice(chosen, word, choice);
  wordsToFieldPanel(form);
}

void ConfigWordChange(TForm1& form, int word, const std::string& text) {
  FieldPanelState& panel = form.window.fieldPanel;
  if (word < 0 || word >= panel.words) return;
  std::string typed;
  for (char c : text)
    if (const int digit = hexDigitValue(c); digit >= 0)  // blanks of a mask are no digits
      typed += "0123456789ABCDEF"[digit];
  panel.wordTexts[static_cast<std::size_t>(word)] = typed;
  // Four digits within the 14 bits of a word make it; anything else waits
  // for more typing, and the word stays as it was.
  unsigned value = 0;
  if (!parseFullCell(typed, 4, value) || value > 0x3FFF) return;
  bufferWord(form, word) = static_cast<std::uint16_t>(value);
  wordsToFieldPanel(form);
}

void ConfigWordEditDone(TForm1& form) {
  wordsToFieldPanel(form);
}

Outcome Proc_Read_Config(TForm1& form) {
  form.operation.startMs = beginFrame(form, kReading);
  const std::uint16_t word = readConfiguration(form.chip);
  form.buffer.config = word;
  readConfigSpaceWords(form);
  Config_Chenge_iz_W(form);
  showChipAndBuffer(form.window.Edit3);
  showChipAndBuffer(form.window.Edit1);
  endFrame(form, kReadDone, true, form.operation.startMs);
  return Outcome::done(kReadDone).timed(form.window.StatusBar2);
}

std::string configMismatchText(std::uint16_t wanted, std::uint16_t found) {
  return "В слово конфигурации должно было быть записано число " + hex4(wanted) +
         ".\r\nПроверка показала, что после записи в этой ячейке находится число " + hex4(found) +
         ".";
}

Outcome Proc_Write_Config(TForm1& form) {
  form.operation.startMs = beginFrame(form, kWriting);
  form.operation.ok = true;
  const std::uint16_t readBack =
      programConfiguration(form.chip, form.buffer.config, [&form] { setProgress(form, 33); });
  setProgress(form, 70);

  Outcome outcome = Outcome::done(kWriteDone);
  if (!form.chip.profile.configMatches(readBack, form.buffer.config)) {
    outcome = reportFailure(form, kConfigWriteCaption,
                            configMismatchText(form.buffer.config, readBack), kWriteFailed);
    showBuffer(form.window.Edit3, false);
    showBuffer(form.window.Edit1, false);
  } else if (Outcome second = writeSecondConfigWord(form, kWriteFailed); !second) {
    outcome = std::move(second);
  }
  endFrame(form, outcome.lastAction, outcome.ok(), form.operation.startMs);
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome Button10Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  return Proc_Read_Config(form);
}

Outcome confirmCodeProtection(TForm1& form) {
  if (!protectionChosen(form)) return Outcome::done({});
  const bool family84 = form.chip.profile.panel == ConfigPanel::GroupBox5;
  const std::string text = std::string("Вы установили бит защиты кода. После программирования ") +
                           (family84 ? "все данные," : "данные,") +
                           "\r\nзаписанные в микроконтроллере, перестанут быть доступными для\r\n"
                           "чтения и редактирования.\r\nВы действительно хотите продолжить?";
  if (form.host.messageBox("Предупреждение.", text, MessageIcon::None, MessageButtons::OkCancel) ==
      MessageResult::Ok)
    return Outcome::done({});
  form.window.StatusBar1 = kWriteRefused;
  return Outcome::refused(kWriteRefused);
}

Outcome Button12Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  if (Outcome asked = confirmCodeProtection(form); !asked) return asked;
  return Proc_Write_Config(form);
}

}  // namespace kalmar
