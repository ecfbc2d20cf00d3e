#include "memory/id_locations.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/chip_steps.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/operation_frame.h"
#include "memory/region_loops.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

const char* const kWriteCaption = "Ошибка при записи идентификатора микроконтроллера.";

void showChipAndBuffer(SourceIndicator& box) {
  box = {"Мк-р & Буфер", "Отображено состояние буфера и микроконтроллера", false, 110, 69,
         box.SelStart};
}

void showBuffer(SourceIndicator& box) {
  box = {"Буфер", "Отображено состояние буфера", true, 118, 38, box.SelStart};
}

std::string cellName(int n) {
  return "MaskEdit" + std::to_string(n);
}

void focusCell(TForm1& form, int n, int selLength) {
  form.window.ActiveControl = cellName(n);
  form.window.SelStart = 0;
  form.window.SelLength = selLength;
}

}  // namespace

Outcome Proc_Read_ID(TForm1& form) {
  LineProtocol& line = form.chip.line;
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: чтение идентификатора микроконтроллера.");
  form.idCellLock = true;
  line.EnterProgrammingMode();
  const std::array<std::uint16_t, 4> words = readIdWords(form.chip);
  setProgress(form, 20);
  line.ExitProgrammingMode(false);
  setProgress(form, 30);
  for (std::size_t w = 0; w < 4; ++w) {
    form.buffer.ids[w] = words[w];
    if (!form.idPreserveMarker) form.window.idCells[w] = hex4(words[w]);
    setProgress(form, 30 + roundHalfEven(70.0 * static_cast<double>(w + 1) / 4.0));
  }
  showChipAndBuffer(form.window.Edit8);
  const char* const done =
      " Последнее выполненное действие: успешно прочитан идентификатор микроконтроллера.";
  endFrame(form, done, true, start);
  form.idCellLock = false;
  form.window.ActiveControl = "GroupBox2";
  return Outcome::done(done).timed(form.window.StatusBar2);
}

Outcome Proc_Write_ID(TForm1& form) {
  LineProtocol& line = form.chip.line;
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: запись идентификатора микроконтроллера.");
  form.operation.ok = true;
  form.writtenIds = form.buffer.ids;
  Outcome outcome = Outcome::done(
      " Последнее выполненное действие: успешно записан идентификатор микроконтроллера.");
  const RegionWrite region{command::kLoadDataProgram,
                           command::kReadDataProgram,
                           0x3FFF,
                           4,
                           0x2000,
                           kWriteCaption,
                           " Посл. вып. действие: неудачная попытка записать идентификатор "
                           "микроконтроллера.",
                           std::nullopt,
                           4,
                           false,
                           Cycle::ConfigWord};
  line.EnterProgrammingMode();
  moveIntoConfigurationSpace(form.chip, 0);
  outcome = writeRegion(
      form, region, 4, [&form](int i) { return form.buffer.ids[static_cast<std::size_t>(i)]; },
      regionProgress(form), std::move(outcome));
  line.ExitProgrammingMode(false);
  endFrame(form, outcome.lastAction, true, start);  // 106 also after a failure
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome writeAndCheckIds(TForm1& form) {
  Outcome outcome = Proc_Write_ID(form);
  if (outcome) outcome = Proc_Read_ID(form);
  return failedUnless(form, std::move(outcome), form.writtenIds == form.buffer.ids);
}

Outcome Button13Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  return Proc_Read_ID(form);
}

Outcome Button15Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::int64_t start = form.platform.timeOfDayMs();
  return endChainedCommand(
      form, start, writeAndCheckIds(form),
      " Последнее выполненое действие: успешная запись идентификатора микроконтроллера.",
      kWriteCaption, kWriteNotFinished);
}

void setIdCellText(TForm1& form, int n, const std::string& text) {
  if (n < 301 || n > 304) return;
  std::string& cell = form.window.idCells[static_cast<std::size_t>(n - 301)];
  if (cell == text) return;
  cell = text;
  MaskEdit301Change(form, n);
}

void MaskEdit301Change(TForm1& form, int n) {
  if (form.idCellLock || n < 301 || n > 304) return;
  const std::size_t index = static_cast<std::size_t>(n - 301);
  unsigned value = 0;
  if (parseFullCell(form.window.idCells[index], 4, value) && value <= 0x3FFF) {
    form.buffer.ids[index] = static_cast<std::uint16_t>(value);
    showBuffer(form.window.Edit8);
    return;
  }
  form.window.idCells[index] = hex4(form.buffer.ids[index]);
  form.host.beep();
}

void MaskEdit301Click(TForm1& form, int) {
  form.idLeftMoveCounter = 0;
}

void MaskEdit301KeyUp(TForm1& form, int n, CellKey key, int caret) {
  int& counter = form.idLeftMoveCounter;
  if (key != CellKey::Left) counter = 0;
  if (caret > 3 && n < 304) {
    focusCell(form, n + 1, 1);
    counter = 1;
  }
  if (caret >= 1 && caret <= 3) counter = -1;
  if (key == CellKey::Left && n > 301) {
    if (++counter == 3) {
      counter = 1;
      focusCell(form, n - 1, 1);
    }
  }
}

bool moveToNeighbourIdCell(TForm1& form, int n, bool forward) {
  const int next = forward ? n + 1 : n - 1;
  if (next < 301 || next > 304) return false;
  form.idLeftMoveCounter = 0;
  focusCell(form, next, 1);
  return true;
}

void MaskEdit301MouseUp(TForm1& form, int) {
  if (form.window.SelLength > 1) form.window.SelLength = 1;
}

}  // namespace kalmar
