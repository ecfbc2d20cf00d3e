#include "memory/program_read.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/chip_steps.h"
#include "memory/config_word.h"
#include "memory/operation_frame.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {
const char* const kReading =
    "Выполняемое действие: чтение данных из памяти программ микроконтроллера.";
const char* const kShowing =
    "Выполняемое действие: вывод данных, прочитанных из памяти программ микроконтроллера.";
const char* const kDone =
    " Последнее выполненное действие: успешно прочитаны данные из памяти программ "
    "микроконтроллера.";
}  // namespace

void ClearMemo(TForm1& form) {
  form.window.programColumns.fill(blankProgramColumn());
  for (std::string& text : form.window.columnTexts) text.clear();
}

// Only samples are stored while the chip is clocked; words are assembled
// after programming mode has been left.
void Proc_Read_PM(TForm1& form) {
  const int words = form.chip.profile.programWords;
  form.platform.setPriorityClass(PriorityClass::RealTime);
  readProgramSamples(
      form.chip, [&form, words](int k) { setProgress(form, roundHalfEven(k * 70.0 / words) + 5); });
  form.platform.setPriorityClass(PriorityClass::Normal);
}

Outcome Button8Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::int64_t start = beginFrame(form, kReading, 5, false);
  Proc_Read_PM(form);
  form.host.pump();
  Proc_Read_Config(form);

  BattonDisabl(form);
  form.window.StatusBar1 = kShowing;
  form.window.StatusBar2.clear();
  form.host.pump();

  WindowState& w = form.window;
  for (std::string& text : w.columnTexts) text.clear();
  const SampleStore& samples = form.chip.line.store(Sampler::Read3);
  const int words = form.chip.profile.programWords;
  const int rows = roundHalfEven(words / 8.0);
  int j = 0;
  for (int r = 1; r <= rows; ++r) {
    for (int c = 0; c < 8; ++c, ++j) {
      const std::uint16_t word = samples.word(static_cast<std::size_t>(j));
      form.buffer.disassembly[static_cast<std::size_t>(j)] = word;
      form.buffer.chipRead[static_cast<std::size_t>(j)] = word;
      w.columnTexts[static_cast<std::size_t>(c)] += hex4(word) + "\r\n";
    }
    setProgress(form, roundHalfEven(r * 30.0 / rows) + 75);
  }
  w.programColumns = w.columnTexts;

  RouteState& routes = w.routes;
  routes.enableFileProgramRoutes(false);
  for (MenuItem* item : {&routes.SpeedButton4, &routes.N34, &routes.PIC2}) item->Enabled = true;
  form.buffer.disassemblyNeeded = true;
  w.Edit4.Text = "Микроконтроллер";
  w.Edit4.Hint = "Отображена память программ микроконтроллера";
  endFrame(form, kDone, true, start, false);
  return Outcome::done(kDone).timed(form.window.StatusBar2);
}

}  // namespace kalmar
