#include "memory/program_write.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/config_word.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"
#include "window/hex_text.h"

namespace kalmar {

namespace {

const char* const kWriteCaption = "Ошибка при записи данных в память программ микроконтроллера.";
const char* const kWriteDone =
    " Последнее выполненое действие: успешная запись данных в память программ "
    "микроконтроллера.";

// The PIC12F629/675 keep their IDs and their calibration: the IDs are read,
// the chip erased (BG bits and calibration word noted), the IDs written back.
void prepare12F6xx(TForm1& form) {
  form.idPreserveMarker = true;
  Proc_Read_ID(form);
  Errase_PM_befor_Write_12F6xx(form);
  if (form.operation.ok && keepFactoryValues(form, form.buffer.config)) Proc_Write_ID(form);
  form.idPreserveMarker = false;
  const int last = form.profile.programWords - 1;
  if (form.savedCalibration && isCalibrationWord(*form.savedCalibration))
    form.buffer.program[static_cast<std::size_t>(last)] = *form.savedCalibration;
}

// A word that did not read back as written stops the write with its box.
bool readsBackAsWritten(TForm1& form, int address, std::uint16_t word, std::uint16_t readBack,
                        std::string& lastAction) {
  if (readBack == word) return true;
  reportFailure(
      form, kWriteCaption,
      writeMismatchText(hex4(static_cast<std::uint32_t>(address)), hex4(word), hex4(readBack)));
  lastAction =
      " Посл. вып. действие: неудачная попытка записать данные в память программ "
      "микроконтроллера.";
  return false;
}

}  // namespace

void Proc_WritePM(TForm1& form) {
  LineProtocol& line = form.line;
  const int words = form.profile.programWords;
  form.operation.startMs = form.platform.timeOfDayMs();
  form.operation.ok = true;
  setProgress(form, 5);
  std::string lastAction;
  if (form.profile.is12F6xx()) prepare12F6xx(form);
  if (form.operation.ok) {
    form.platform.setPriorityClass(PriorityClass::RealTime);
    BattonDisabl(form);
    form.window.StatusBar1 =
        "Выполняемое действие: запись данных в память программ микроконтроллера.";
    form.window.StatusBar2.clear();
    form.host.pump();
    lastAction = kWriteDone;
    line.EnterProgrammingMode();
    for (int j = 1; j <= words; ++j) {
      const int address = j - 1;
      const std::uint16_t word = form.buffer.program[static_cast<std::size_t>(address)];
      line.programWord(command::kLoadDataProgram, word & 0x3FFF);
      setProgress(form, roundHalfEven(j * 100.0 / words) + 5);
      const std::uint16_t readBack = line.readBackWord(command::kReadDataProgram, Sampler::Read4);
      if (!readsBackAsWritten(form, address, word, readBack, lastAction)) break;
      if (j < words) line.SendCommand(command::kIncrementAddress);
    }
  }
  line.ExitProgrammingMode(true);
  endWriteFrame(form, lastAction);
}

void writeProgramAfterErase(TForm1& form) {
  LineProtocol& line = form.line;
  const int words = form.profile.programWords;
  // The calibration word of a PIC12F629/675 is back already.
  const int last = form.profile.is12F6xx() ? words - 1 : words;
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: запись данных в память программ микроконтроллера.");
  form.operation.ok = true;
  std::string lastAction = kWriteDone;
  line.EnterProgrammingMode();
  for (int address = 0; address < last; ++address) {
    const std::uint16_t word = form.buffer.program[static_cast<std::size_t>(address)];
    if (word != kBlankWord) {
      line.programWord(command::kLoadDataProgram, word & 0x3FFF);
      const std::uint16_t readBack = line.readBackWord(command::kReadDataProgram, Sampler::Read4);
      if (!readsBackAsWritten(form, address, word, readBack, lastAction)) break;
      setProgress(form, roundHalfEven((address + 1) * 100.0 / words) + 5);
    }
    if (address + 1 < words) line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(true);
  endFrame(form, lastAction, form.operation.ok, start);
}

void Proc_VerifyPM(TForm1& form) {
  const int words = form.profile.programWords;
  form.operation.startMs = beginFrame(
      form, "Выполняемое действие: проверка данных в памяти программ микроконтроллера.", 5, false);
  std::string lastAction =
      " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, ошибок нет." +
      form.lastOpenedPath;
  Proc_Read_PM(form);
  form.operation.ok = true;
  const SampleStore& samples = form.line.store(Sampler::Read3);
  for (int i = 1; i <= words; ++i) {
    const int address = i - 1;
    const std::uint16_t read = samples.word(static_cast<std::size_t>(address));
    const std::uint16_t wanted = form.buffer.program[static_cast<std::size_t>(address)];
    setProgress(form, roundHalfEven(i * 100.0 / words) + 5);
    // The last word of a PIC12F629/675 is the chip's own calibration, which
    // a write keeps whatever the file holds there; that is no difference.
    if (form.profile.is12F6xx() && address == words - 1 &&
        (wanted == kBlankWord || isCalibrationWord(read)))
      continue;
    if (read != wanted) {
      reportFailure(
          form, "Ошибка при проверке данных в памяти программ микроконтроллера.",
          verifyMismatchText(hex4(static_cast<std::uint32_t>(address)), hex4(wanted), hex4(read)));
      lastAction =
          " Посл. вып. действие: проверка данных в памяти программ микроконтроллера, "
          "обнаружены ошибки.";
      break;
    }
  }
  endFrame(form, lastAction, form.operation.ok, form.operation.startMs, false);
}

void Button7Click(TForm1& form) {
  if (!Chek_Hard(form)) return;
  if (!confirmCodeProtection(form)) return;
  const std::int64_t start = form.platform.timeOfDayMs();
  Proc_WritePM(form);
  if (form.operation.ok) Proc_VerifyPM(form);
  if (form.operation.ok) Proc_Write_Config(form);
  endChainedCommand(form, start, kWriteDone, kWriteCaption, kWriteNotFinished);
}

void PIC2Click(TForm1& form) {
  form.buffer.program = form.buffer.chipRead;
  Button7Click(form);
}

void Button6Click(TForm1& form) {
  if (Chek_Hard(form)) Proc_VerifyPM(form);
}

}  // namespace kalmar
