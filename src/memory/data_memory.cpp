#include "memory/data_memory.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/chip_steps.h"
#include "memory/data_cells.h"
#include "memory/operation_frame.h"
#include "memory/region_loops.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {
const char* const kWriteCaption = "Ошибка при записи данных в память данных микроконтроллера.";
const char* const kWriteDone =
    " Последнее выполненое действие: успешная запись данных в память данных микроконтроллера.";

std::function<std::uint16_t(int)> dataByteAt(TForm1& form) {
  return [&form](int i) { return std::uint16_t{form.buffer.data[static_cast<std::size_t>(i)]}; };
}
}  // namespace

std::vector<std::uint16_t> Proc_Read_DM(TForm1& form) {
  form.platform.setPriorityClass(PriorityClass::RealTime);
  std::vector<std::uint16_t> words = readDataWords(form.chip);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return words;
}

Outcome Button5Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::int64_t start = beginFrame(
      form, "Выполняемое действие: чтение данных из памяти данных микроконтроллера.", 5, false);
  const std::vector<std::uint16_t> words = Proc_Read_DM(form);
  const int size = form.chip.profile.dataBytes;
  form.fillLock = true;
  for (int a = 0; a < size; ++a) {
    const auto byte = static_cast<std::uint8_t>(words[static_cast<std::size_t>(a)] & 0xFF);
    form.buffer.data[static_cast<std::size_t>(a)] = byte;
    setDataCellText(form, a + 1, hex2(byte));
    regionProgress(form)(a + 1, size);
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

namespace {

// Every byte, or (after a bulk erase) only the bytes that are not FFh.
Outcome writeData(TForm1& form, bool afterErase) {
  LineProtocol& line = form.chip.line;
  const int size = form.chip.profile.dataBytes;
  form.operation.startMs =
      beginFrame(form, "Выполняемое действие: запись данных в память данных микроконтроллера.");
  form.operation.ok = true;
  RegionWrite region{command::kLoadDataData,
                     command::kReadDataData,
                     0x00FF,
                     2,
                     0,
                     kWriteCaption,
                     " Посл. вып. действие: неудачная попытка записать данные в память "
                     "данных микроконтроллера.",
                     std::nullopt,
                     size,
                     false,
                     Cycle::DataByte};
  if (afterErase) {
    region.passed = kBlankByte;  // an erased byte reads FFh already
    region.progressAfterCheck = true;
  }
  line.EnterProgrammingMode();
  Outcome outcome = writeRegion(form, region, size, dataByteAt(form), regionProgress(form),
                                Outcome::done(kWriteDone));
  line.ExitProgrammingMode(true);
  endWriteFrame(form, outcome.lastAction);
  return std::move(outcome).timed(form.window.StatusBar2);
}

}  // namespace

Outcome Proc_Write_DM(TForm1& form) {
  return writeData(form, false);
}

Outcome writeDataAfterErase(TForm1& form) {
  return writeData(form, true);
}

Outcome Proc_Verify_DM(TForm1& form) {
  const int size = form.chip.profile.dataBytes;
  form.operation.startMs = beginFrame(
      form, "Выполняемое действие: проверка данных в памяти данных микроконтроллера.", 5, false);
  const std::vector<std::uint16_t> words = Proc_Read_DM(form);
  form.operation.ok = true;
  const RegionVerify region{
      2, "Ошибка при проверке данных в памяти данных микроконтроллера.",
      " Посл. вып. действие: проверка данных в памяти данных микроконтроллера, обнаружены "
      "ошибки.",
      " Посл. вып. действие: проверка данных в памяти данных микроконтроллера, ошибок нет."};
  return verifyRegion(
      form, region, size,
      [&words](int i) {
        return static_cast<std::uint16_t>(words[static_cast<std::size_t>(i)] & 0xFF);
      },
      dataByteAt(form), nullptr, regionProgress(form));
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
