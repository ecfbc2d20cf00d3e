#include "memory/data_memory.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/data_cells.h"
#include "memory/operation_frame.h"
#include "window/hex_text.h"

namespace kalmar {

namespace {
const char* const kWriteCaption = "Ошибка при записи данных в память данных микроконтроллера.";
const char* const kWriteDone =
    " Последнее выполненое действие: успешная запись данных в память данных микроконтроллера.";

int progressFor(int done, int size) {
  return 5 + roundHalfEven(100.0 * done / size);
}
}  // namespace

std::vector<std::uint16_t> Proc_Read_DM(TForm1& form) {
  LineProtocol& line = form.line;
  const int size = form.profile.dataBytes;
  std::vector<std::uint16_t> words;
  words.reserve(static_cast<std::size_t>(size));
  form.platform.setPriorityClass(PriorityClass::RealTime);
  line.EnterProgrammingMode();
  line.store(Sampler::Read5).rewind();
  for (int a = 0; a < size; ++a) {
    line.SendCommand(command::kReadDataData);
    words.push_back(line.ReadDataWord(Sampler::Read5));
    if (a < size - 1) line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(false);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return words;
}

Outcome Button5Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::int64_t start = beginFrame(
      form, "Выполняемое действие: чтение данных из памяти данных микроконтроллера.", 5, false);
  const std::vector<std::uint16_t> words = Proc_Read_DM(form);
  const int size = form.profile.dataBytes;
  form.fillLock = true;
  for (int a = 0; a < size; ++a) {
    const auto byte = static_cast<std::uint8_t>(words[static_cast<std::size_t>(a)] & 0xFF);
    form.buffer.data[static_cast<std::size_t>(a)] = byte;
    setDataCellText(form, a + 1, hex2(byte));
    setProgress(form, progressFor(a + 1, size));
  }
  form.fillLock = false;
  form.window.Edit5.say("Микроконтроллер & Буфер",
                        "Отображено состояние буфера и памяти данных микроконтроллера", false);
  const char* const done =
      " Последнее выполненное действие: успешно прочитаны данные из памяти данных "
      "микроконтроллера.";
  endFrame(form, done, true, start, false);
  form.window.ActiveControl = "GroupBox2";
  return Outcome::done(done).timed(form.window.StatusBar2);
}

Outcome Proc_Write_DM(TForm1& form) {
  LineProtocol& line = form.line;
  const int size = form.profile.dataBytes;
  form.operation.startMs =
      beginFrame(form, "Выполняемое действие: запись данных в память данных микроконтроллера.");
  form.operation.ok = true;
  Outcome outcome = Outcome::done(kWriteDone);
  line.EnterProgrammingMode();
  for (int a = 0; a < size; ++a) {
    const std::uint8_t byte = form.buffer.data[static_cast<std::size_t>(a)];
    line.programWord(command::kLoadDataData, byte);
    setProgress(form, progressFor(a + 1, size));
    const auto readBack =
        static_cast<std::uint8_t>(line.readBackWord(command::kReadDataData, Sampler::Read4) & 0xFF);
    if (readBack != byte) {
      outcome = reportFailure(
          form, kWriteCaption,
          writeMismatchText(hex2(static_cast<std::uint32_t>(a)), hex2(byte), hex2(readBack)),
          " Посл. вып. действие: неудачная попытка записать данные в память данных "
          "микроконтроллера.");
      break;
    }
    if (a < size - 1) line.SendCommand(command::kIncrementAddress);
  }
  line.ExitProgrammingMode(true);
  endWriteFrame(form, outcome.lastAction);
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome Proc_Verify_DM(TForm1& form) {
  const int size = form.profile.dataBytes;
  form.operation.startMs = beginFrame(
      form, "Выполняемое действие: проверка данных в памяти данных микроконтроллера.", 5, false);
  Outcome outcome = Outcome::done(
      " Посл. вып. действие: проверка данных в памяти данных микроконтроллера, ошибок нет." +
      form.lastOpenedPath);
  const std::vector<std::uint16_t> words = Proc_Read_DM(form);
  form.operation.ok = true;
  for (int a = 0; a < size; ++a) {
    setProgress(form, progressFor(a + 1, size));
    const auto read = static_cast<std::uint8_t>(words[static_cast<std::size_t>(a)] & 0xFF);
    const std::uint8_t wanted = form.buffer.data[static_cast<std::size_t>(a)];
    if (read != wanted) {
      outcome = reportFailure(
          form, "Ошибка при проверке данных в памяти данных микроконтроллера.",
          verifyMismatchText(hex2(static_cast<std::uint32_t>(a)), hex2(wanted), hex2(read)),
          " Посл. вып. действие: проверка данных в памяти данных микроконтроллера, обнаружены "
          "ошибки.");
      break;
    }
  }
  endFrame(form, outcome.lastAction, outcome.ok(), form.operation.startMs, false);
  return std::move(outcome).timed(form.window.StatusBar2);
}

Outcome Button9Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  Outcome chain = Proc_Write_DM(form);
  const std::int64_t start = form.operation.startMs;
  if (chain) chain = Proc_Verify_DM(form);
  return endChainedCommand(
      form, start, std::move(chain), kWriteDone, kWriteCaption,
      "Процесс записи не был успешно завершен. Возможно не все данные\r\nбыли записаны.");
}

}  // namespace kalmar
