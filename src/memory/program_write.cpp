#include "memory/program_write.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/config_word.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"
#include "memory/region_loops.h"

namespace kalmar {

namespace {

const char* const kWriteCaption = "Ошибка при записи данных в память программ микроконтроллера.";
const char* const kWriteDone =
    " Последнее выполненое действие: успешная запись данных в память программ "
    "микроконтроллера.";

// The PIC12F629/675 keep their IDs and their calibration: the IDs are read,
// the chip erased (BG bits and calibration word noted), the IDs written back.
Outcome prepare12F6xx(TForm1& form) {
  form.idPreserveMarker = true;
  Proc_Read_ID(form);
  Outcome prepared = Errase_PM_befor_Write_12F6xx(form);
  if (prepared) prepared = Proc_Write_ID(form);
  form.idPreserveMarker = false;
  const int last = form.chip.profile.programWords - 1;
  if (form.chip.savedCalibration && isCalibrationWord(*form.chip.savedCalibration))
    form.buffer.program[static_cast<std::size_t>(last)] = *form.chip.savedCalibration;
  return prepared;
}

std::function<std::uint16_t(int)> programWordAt(TForm1& form) {
  return [&form](int i) { return form.buffer.program[static_cast<std::size_t>(i)]; };
}

}  // namespace

RegionWrite programMemoryRegion(std::uint32_t firstAddress, int incrementLimit) {
  return {command::kLoadDataProgram,
          command::kReadDataProgram,
          0x3FFF,
          4,
          firstAddress,
          kWriteCaption,
          " Посл. вып. действие: неудачная попытка записать данные в память программ "
          "микроконтроллера.",
          std::nullopt,
          incrementLimit};
}

Outcome Proc_WritePM(TForm1& form) {
  LineProtocol& line = form.chip.line;
  const int words = form.chip.profile.programWords;
  form.operation.startMs = form.platform.timeOfDayMs();
  form.operation.ok = true;
  setProgress(form, 5);
  Outcome outcome = Outcome::done(kWriteDone);
  const bool rows = form.chip.profile.rowWords > 1;
  if (form.chip.profile.calibrationPreserved)
    outcome = prepare12F6xx(form);
  else if (rows)
    outcome = eraseBeforeRows(form);
  if (outcome) {
    form.platform.setPriorityClass(PriorityClass::RealTime);
    BattonDisabl(form);
    form.window.StatusBar1 =
        "Выполняемое действие: запись данных в память программ микроконтроллера.";
    form.window.StatusBar2.clear();
    form.host.pump();
    RegionWrite region = programMemoryRegion(0, words);
    if (rows) region.passed = kBlankWord;  // the rows erased hold it already
    line.EnterProgrammingMode();
    outcome = writeRegion(form, region, words, programWordAt(form), regionProgress(form),
                          Outcome::done(kWriteDone));
  } else {
    outcome.lastAction.clear();  // the status line is left empty after a failed preparation
  }
  line.ExitProgrammingMode(true);
  endWriteFrame(form, outcome.lastAction);
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome writeProgramAfterErase(TForm1& form) {
  LineProtocol& line = form.chip.line;
  const int words = form.chip.profile.programWords;
  // The calibration word of a PIC12F629/675 is back already.
  const int last = form.chip.profile.calibrationPreserved ? words - 1 : words;
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: запись данных в память программ микроконтроллера.");
  form.operation.ok = true;
  RegionWrite region = programMemoryRegion(0, words);
  region.passed = kBlankWord;  // erased cells read 3FFFh already
  region.progressAfterCheck = true;
  line.EnterProgrammingMode();
  Outcome outcome = writeRegion(
      form, region, last, programWordAt(form),
      [&form, words](int done, int) { regionProgress(form)(done, words); },
      Outcome::done(kWriteDone));
  line.ExitProgrammingMode(true);
  endFrame(form, outcome.lastAction, outcome.ok(), start);
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome Proc_VerifyPM(TForm1& form) {
  const int words = form.chip.profile.programWords;
  form.operation.startMs = beginFrame(
      form, "Выполняемое действие: проверка данных в памяти программ микроконтроллера.", 5, false);
  Proc_Read_PM(form);
  form.operation.ok = true;
  const SampleStore& samples = form.chip.line.store(Sampler::Read3);
  const auto readAt = [&samples](int i) { return samples.word(static_cast<std::size_t>(i)); };
  // The last word of a PIC12F629/675 is the chip's own calibration, which
  // a write keeps whatever the file holds there; that is no difference.
  const auto keptCalibration = [&form, &readAt, words](int i) {
    const std::uint16_t wanted = form.buffer.program[static_cast<std::size_t>(i)];
    return form.chip.profile.calibrationPreserved && i == words - 1 &&
           (wanted == kBlankWord || isCalibrationWord(readAt(i)));
  };
  const RegionVerify region{
      4, "Ошибка при проверке данных в памяти программ микроконтроллера.",
      " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, обнаружены "
      "ошибки.",
      " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, ошибок нет."};
  return verifyRegion(form, region, words, readAt, programWordAt(form), keptCalibration,
                      regionProgress(form));
}

Outcome Button7Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  if (Outcome asked = confirmCodeProtection(form); !asked) return asked;
  const std::int64_t start = form.platform.timeOfDayMs();
  Outcome chain = Proc_WritePM(form);
  if (chain) chain = Proc_VerifyPM(form);
  if (chain) chain = Proc_Write_Config(form);
  return endChainedCommand(form, start, std::move(chain), kWriteDone, kWriteCaption,
                           kWriteNotFinished);
}

Outcome PIC2Click(TForm1& form) {
  form.buffer.program = form.buffer.chipRead;
  return Button7Click(form);
}

Outcome Button6Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  return Proc_VerifyPM(form);
}

}  // namespace kalmar
