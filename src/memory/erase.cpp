#include "memory/erase.h"

#include "link/line_protocol.h"
#include "link/programmer_check.h"
#include "memory/chip_steps.h"
#include "memory/config_space_words.h"
#include "memory/config_word.h"
#include "memory/data_cells.h"
#include "memory/data_memory.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"
#include "memory/program_write.h"
#include "memory/programming_cycle.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

const char* bgName(std::uint8_t bg) {
  static const char* const kNames[4] = {"00", "01", "10", "11"};
  return kNames[(bg >> 4) & 3];
}

// Writes the noted calibration word back at the last address, checked like
// every program word.
Outcome restoreCalibrationWord(TForm1& form, std::uint16_t calibration) {
  LineProtocol& line = form.chip.line;
  const int last = form.chip.profile.programWords - 1;
  const std::int64_t start = beginFrame(
      form, "Выполняемое действие: восстановление калибровочного слова микроконтроллера.");
  Outcome outcome = Outcome::done(
      " Последнее выполненное действие: восстановлено калибровочное слово микроконтроллера.");
  line.EnterProgrammingMode();
  walkToLastWord(form.chip);
  outcome = writeRegion(
      form, programMemoryRegion(static_cast<std::uint32_t>(last), 1), 1,
      [calibration](int) { return calibration; }, nullptr, std::move(outcome));
  line.ExitProgrammingMode(true);
  endFrame(form, outcome.lastAction, outcome.ok(), start);
  return std::move(outcome).timed(form.window.StatusBar2);
}

// Writes the BG bits back in a configuration word that is otherwise erased
// (no protection), so the later write of the whole word only clears bits.
Outcome restoreBgBits(TForm1& form, std::uint16_t bgSource) {
  const auto word = static_cast<std::uint16_t>(0x0FFF | (bgSource & 0x3000));
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: восстановление битов BG микроконтроллера.");
  Outcome outcome =
      Outcome::done(" Последнее выполненное действие: восстановлены биты BG микроконтроллера.");
  const std::uint16_t readBack = programConfiguration(form.chip, word);
  if (!form.chip.profile.configMatches(readBack, word))
    outcome = reportFailure(
        form, kConfigWriteCaption, configMismatchText(word, readBack),
        " Посл. вып. действие: неудачная попытка восстановить биты BG микроконтроллера.");
  endFrame(form, outcome.lastAction, outcome.ok(), start);
  return std::move(outcome).timed(form.window.StatusBar2);
}

}  // namespace

Outcome keepFactoryValues(TForm1& form, std::uint16_t bgSource) {
  const std::optional<std::uint16_t> calibration = form.chip.savedCalibration;
  const bool hasCalibration = calibration && isCalibrationWord(*calibration);
  const bool calibrationKept = !hasCalibration || restoreCalibrationWord(form, *calibration).ok();
  const Outcome bg = restoreBgBits(form, bgSource);
  const bool bgKept = bg.ok();
  form.operation.ok = calibrationKept && bgKept;
  if (form.operation.ok) return bg;
  const int last = form.chip.profile.programWords - 1;
  std::string lost;
  if (!calibrationKept)
    lost += "калибровочное слово " + hex4(*calibration) + " по адресу " +
            hex4(static_cast<std::uint32_t>(last));
  if (!bgKept)
    lost += std::string(lost.empty() ? "" : " и ") + "биты BG " +
            bgName(static_cast<std::uint8_t>((bgSource >> 8) & 0x30));
  const std::string caption = "Ошибка при восстановлении калибровки микроконтроллера.";
  const std::string text = "Не удалось записать обратно " + lost +
                           ".\r\nЗапомните эти значения и запишите их в микроконтроллер,\r\n"
                           "иначе его заводская калибровка будет потеряна.";
  form.host.messageBox(caption, text, MessageIcon::Error, MessageButtons::Ok);
  return Outcome::failed(caption, text, bg.lastAction);
}

namespace {

const char* const kErased =
    " Последнее выполненое действие: успешное стирание всех данных микроконтроллера.";

void showErasedChip(TForm1& form) {
  ClearMemo(form);
  const int last = form.chip.profile.programWords - 1;
  if (form.buffer.program[static_cast<std::size_t>(last)] != kBlankWord) {
    // The kept calibration word stands in the last row of the last column.
    std::string& column = form.window.programColumns[7];
    column.replace(static_cast<std::size_t>(last / 8) * 6, 4,
                   hex4(form.buffer.program[static_cast<std::size_t>(last)]));
  }
  ClearME(form);
  WindowState& w = form.window;
  w.Edit4.Text = "Микроконтроллер & Буфер";
  w.Edit4.Hint = "Отображено состояние буфера и памяти программ микроконтроллера";
  RouteState& r = w.routes;
  r.enableFileProgramRoutes(false);
  for (MenuItem* item : {&r.PIC2, &r.N34, &r.N28, &r.SpeedButton4, &r.SpeedButton5})
    item->Enabled = false;
  w.Edit5.say("Микроконтроллер & Буфер", "Отображено состояние буфера и микроконтроллера", false);
  w.StatusBar1 = kErased;
}

// Data memory the bulk erase may have left is written FFh byte by byte.
Outcome checkDataBlank(TForm1& form) {
  if (form.chip.profile.dataWrittenAfterErase) {
    Outcome written = Proc_Write_DM(form);
    if (!written) return written;
  }
  return Proc_Verify_DM(form);
}

// Program memory must read blank, but for a kept calibration word.
Outcome checkProgramBlank(TForm1& form) {
  form.buffer.program.fill(kBlankWord);
  const auto& calibration = form.chip.savedCalibration;
  if (form.chip.profile.calibrationPreserved && calibration && isCalibrationWord(*calibration))
    form.buffer.program[static_cast<std::size_t>(form.chip.profile.programWords - 1)] =
        *calibration;
  Outcome verified = Proc_VerifyPM(form);
  if (verified) {
    form.buffer.disassembly = form.buffer.program;
    form.buffer.disassemblyNeeded = true;
  }
  return verified;
}

// A chip with factory values gets its configuration word with the kept BG
// bits back; the others must read an erased word.
Outcome checkConfigBlank(TForm1& form, std::uint16_t keptConfig) {
  if (form.chip.profile.calibrationPreserved) {
    form.buffer.config = keptConfig;
    return Proc_Write_Config(form);
  }
  Outcome read = Proc_Read_Config(form);
  const DeviceProfile& profile = form.chip.profile;
  const bool secondBlank =
      profile.configWords < 2 || secondConfigMatches(profile, form.buffer.config2, kBlankWord);
  return failedUnless(form, std::move(read),
                      profile.configMatches(form.buffer.config, kBlankWord) && secondBlank);
}

Outcome checkBlank(TForm1& form, std::uint16_t keptConfig) {
  Outcome outcome = checkDataBlank(form);
  if (outcome) outcome = checkProgramBlank(form);
  if (outcome) outcome = checkConfigBlank(form, keptConfig);
  if (outcome) {
    Outcome read = Proc_Read_ID(form);
    outcome = failedUnless(form, std::move(read), allIdsBlank(form.buffer));
  }
  return outcome;
}

}  // namespace

std::uint8_t BG_of_12F6xx_Readen_Befor_Write(TForm1& form) {
  form.platform.setPriorityClass(PriorityClass::RealTime);
  BattonDisabl(form);
  form.window.ProgressBar1 = 5;
  form.window.StatusBar1 = "Выполняемое действие: чтение слова конфигурации микроконтроллера.";
  form.host.pump();
  const std::uint8_t bg = readFactoryValues(form.chip);
  form.window.StatusBar1 =
      " Последнее выполненное действие: успешно прочитано слово конфигурации микроконтроллера.";
  form.window.ProgressBar1 = 106;
  BattonEnable(form);
  form.window.StatusBar2 = elapsedSince(form, form.operation.startMs);
  form.platform.setPriorityClass(PriorityClass::Normal);
  return bg;
}

void BG_of_12F6xx_Readen(TForm1& form) {
  const std::uint8_t chipBg = BG_of_12F6xx_Readen_Befor_Write(form);
  const auto bufferBg = static_cast<std::uint8_t>((form.buffer.config >> 8) & 0x30);
  if (chipBg == bufferBg) return;
  if (form.window.bg.Panel3Tag == 1) {
    const std::string text =
        std::string("Вы действительно собираетесь изменить состояние колибровочных\r\n") +
        "битов BG? Текущее значение - " + bgName(chipBg) + ",  новое значение - " +
        bgName(bufferBg) + ".\r\nНажмите OK для записи нового значения, или ОТМЕНА - для\r\n" +
        "сохранения в слове конфигурации старого значения битов BG.";
    if (form.host.messageBox("Предупреждение.", text, MessageIcon::None,
                             MessageButtons::OkCancel) == MessageResult::Ok)
      return;
  }
  form.buffer.config = static_cast<std::uint16_t>((form.buffer.config & ~0x3000) + chipBg * 0x100);
  Config_Chenge_iz_W(form);
}

Outcome eraseMayLoseCalibration(TForm1& form) {
  // Code protection makes the calibration word read 0000h: it cannot be
  // kept, and an erase loses it for good unless the user knows it.
  if (form.chip.calibrationOverride || form.chip.savedCalibration != std::uint16_t{0x0000})
    return Outcome::done({});
  const bool go =
      form.host.messageBox("Предупреждение.",
                           "Калибровочное слово по адресу 03FF прочитано как 0000: микроконтроллер "
                           "защищён,\r\nи его калибровку прочитать нельзя. После стирания она "
                           "будет потеряна.\r\nВы действительно хотите продолжить?",
                           MessageIcon::None, MessageButtons::OkCancel) == MessageResult::Ok;
  if (go) return Outcome::done({});
  const char* const refused =
      " Посл. вып. действие: отказ от стирания защищённого микроконтроллера.";
  form.operation.ok = false;
  form.window.StatusBar1 = refused;
  return Outcome::refused(refused);
}

namespace {

// An erase of program memory before it is written, in the window's frame.
Outcome erasePmInFrame(TForm1& form, void (*erase)(ChipSession&)) {
  form.platform.setPriorityClass(PriorityClass::RealTime);
  form.window.StatusBar1 = "Выполняемое действие: стирание памяти программ микроконтроллера.";
  BattonDisabl(form);
  form.host.pump();
  erase(form.chip);
  form.platform.setPriorityClass(PriorityClass::Normal);
  BattonEnable(form);
  const char* const done =
      " Последнее выполненое действие: успешное стирание памяти программ микроконтроллера.";
  form.window.StatusBar1 = done;
  return Outcome::done(done);
}

}  // namespace

Outcome Errase_PM_befor_Write_12F6xx(TForm1& form) {
  BG_of_12F6xx_Readen(form);
  if (Outcome asked = eraseMayLoseCalibration(form); !asked) return asked;
  // The calibration word and BG bits go back before a stop.
  StopHold hold(form.chip.line);
  erasePmInFrame(form, eraseProgramMemory);
  return keepFactoryValues(form, form.buffer.config);
}

Outcome eraseBeforeRows(TForm1& form) {
  return erasePmInFrame(form, eraseProgramMemoryOnly);
}

Outcome Button11Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  if (form.host.messageBox("Предупреждение.",
                           "После стирания все данные, записанные сейчас в микроконтроллере\r\n"
                           "будут потеряны. Вы действительно хотите продолжить?",
                           MessageIcon::None, MessageButtons::OkCancel) != MessageResult::Ok)
    return Outcome::refused({});
  return eraseChip(form);
}

namespace {

// Before an erase of a PIC12F629/675: its BG bits into the buffer's word
// (the chip's win) and its calibration word noted; refused when the user
// will not lose a calibration that cannot be read.
Outcome noteFactoryValues(TForm1& form, std::uint16_t& keptConfig) {
  form.window.bg.Panel3Tag = 0;  // keep mode: the chip's BG bits win
  BG_of_12F6xx_Readen(form);
  if (Outcome asked = eraseMayLoseCalibration(form); !asked) return asked;
  keptConfig = form.buffer.config;
  return Outcome::done({});
}

std::int64_t beginErase(TForm1& form) {
  form.platform.setPriorityClass(PriorityClass::RealTime);
  const std::int64_t start = form.platform.timeOfDayMs();
  BattonDisabl(form);
  form.window.ProgressBar1 = 0;
  form.window.StatusBar1 = "Выполняемое действие: стирание всех данных микроконтроллера.";
  form.window.StatusBar2.clear();
  return start;
}

// The bulk erase and, on a chip with factory values, their write-back
// before anything can fail, and before a stop; the data buffer blank.
Outcome eraseKeepingFactoryValues(TForm1& form, std::uint16_t keptConfig) {
  const bool factoryValues = form.chip.profile.calibrationPreserved;
  Outcome outcome = Outcome::done({});
  std::optional<StopHold> hold;
  if (factoryValues) hold.emplace(form.chip.line);
  eraseWholeChip(form.chip);
  form.platform.setPriorityClass(PriorityClass::Normal);
  form.buffer.data.fill(kBlankByte);
  form.buffer.dataEdit = form.buffer.data;
  if (factoryValues) outcome = keepFactoryValues(form, keptConfig);
  form.operation.ok = outcome.ok();
  return outcome;
}

// The end of an erase's frame: its success text, or the box that says it
// did not finish.
Outcome endErase(TForm1& form, Outcome outcome, std::int64_t start) {
  if (outcome) {
    form.window.StatusBar1 = kErased;
    outcome.lastAction = kErased;
  } else {
    const std::string caption = "Ошибка при стирании данных микроконтроллера";
    const std::string text =
        "Процесс стирания не был успешно завершен.\r\nВозможно не все данные были стерты.";
    form.host.messageBox(caption, text, MessageIcon::Error, MessageButtons::Ok);
    if (outcome.caption.empty()) {
      outcome.caption = caption;
      outcome.text = text;
    }
  }
  form.window.StatusBar2 = elapsedSince(form, start);
  form.window.ActiveControl = "GroupBox2";
  BattonEnable(form);
  return std::move(outcome).timed(form.window.StatusBar2);
}

}  // namespace

namespace {

// The whole erase; a proven blank chip (the window's "Стереть Все") or
// only the bulk erase with the factory values kept (before programming).
Outcome eraseWhole(TForm1& form, bool proveBlank) {
  std::uint16_t keptConfig = form.buffer.config;
  if (form.chip.profile.calibrationPreserved)
    if (Outcome asked = noteFactoryValues(form, keptConfig); !asked) return asked;
  const std::int64_t start = beginErase(form);
  Outcome outcome = eraseKeepingFactoryValues(form, keptConfig);
  if (proveBlank && outcome) outcome = checkBlank(form, keptConfig);
  if (proveBlank && outcome) showErasedChip(form);
  return endErase(form, std::move(outcome), start);
}

}  // namespace

Outcome eraseChip(TForm1& form) {
  return eraseWhole(form, true);
}

Outcome eraseForProgramming(TForm1& form) {
  return eraseWhole(form, false);
}

}  // namespace kalmar
