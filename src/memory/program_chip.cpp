#include "memory/program_chip.h"

#include "link/programmer_check.h"
#include "memory/config_word.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_write.h"
#include "memory/programming_cycle.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

// The file's image, with the chip's calibration word and BG bits where the
// erase kept them. The last word is never written on these chips: it is
// the calibration word the erase wrote back, or blank where the chip had
// none; whatever the file holds there is not the chip's.
void restoreFileImage(TForm1& form, const Buffer& file) {
  const auto keptBg = static_cast<std::uint16_t>(form.buffer.config & 0x3000);
  const auto last = static_cast<std::size_t>(form.chip.profile.programWords - 1);
  const std::optional<std::uint16_t>& calibration = form.chip.savedCalibration;
  form.buffer.program = file.program;
  form.buffer.data = file.data;
  form.buffer.ids = file.ids;
  form.buffer.config = file.config;
  form.buffer.config2 = file.config2;
  if (form.chip.profile.calibrationPreserved) {
    form.buffer.program[last] =
        calibration && isCalibrationWord(*calibration) ? *calibration : kBlankWord;
    form.buffer.config = static_cast<std::uint16_t>((file.config & ~0x3000) | keptBg);
  }
}

// The IDs: written and read back when the file sets them, else read and
// found blank.
Outcome writeOrCheckIds(TForm1& form) {
  if (!allIdsBlank(form.buffer)) return writeAndCheckIds(form);
  Outcome read = Proc_Read_ID(form);
  return failedUnless(form, std::move(read), allIdsBlank(form.buffer));
}

// After the erase: what differs from blank, each cell read back, then all
// program memory and data memory verified, the IDs checked, the
// configuration word last.
Outcome writeAfterErase(TForm1& form) {
  Outcome step = writeProgramAfterErase(form);
  if (step) step = Proc_VerifyPM(form);
  if (step) step = writeDataAfterErase(form);
  if (step) step = Proc_Verify_DM(form);
  if (step) step = writeOrCheckIds(form);
  if (step) step = Proc_Write_Config(form);
  return step;
}

// A calibration word in the file is the chip it was read from, not this
// one: the chip keeps its own, and the user is told.
void tellFileCalibrationKept(TForm1& form) {
  const std::uint16_t at = form.chip.profile.calibrationWordAt;
  if (at == 0 || !form.buffer.fileCalibration) return;
  form.host.messageBox("Калибровочное слово.",
                       "В файле есть калибровочное слово " + hex4(*form.buffer.fileCalibration) +
                           " по адресу " + hex4(at) +
                           ".\r\nОно не записывается: микроконтроллер сохраняет своё.",
                       MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace

Outcome programChip(TForm1& form, const std::string& doneText) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  if (Outcome asked = confirmCodeProtection(form); !asked) return asked;
  const std::int64_t start = form.platform.timeOfDayMs();
  tellFileCalibrationKept(form);
  const Buffer file = form.buffer;
  // The erase of a PIC12F629/675 writes its configuration word back with
  // the BG bits kept: an erased word, so that no protection comes before
  // the words it would protect. The file's word goes last.
  form.buffer.config = kBlankWord;
  Outcome step = Outcome::done({});
  {
    ChipsOwnPace pace(form.chip);
    step = eraseForProgramming(form);
    if (step) {
      restoreFileImage(form, file);
      Config_Chenge_iz_W(form);  // the panel shows the word that goes into the chip
      step = writeAfterErase(form);
    }
  }
  if (!step) {
    form.buffer = file;  // the buffer keeps the file, whatever the chip holds
    Config_Chenge_iz_W(form);
    return step;
  }
  form.window.StatusBar1 = doneText;
  form.window.StatusBar2 = elapsedSince(form, start);
  return Outcome::done(doneText).timed(form.window.StatusBar2);
}

Outcome programFromFile(TForm1& form) {
  const char* const done =
      " Последнее выполненное действие: микроконтроллер запрограммирован, всё проверено.";
  const std::int64_t start =
      beginFrame(form, "Выполняемое действие: программирование микроконтроллера.", 5, false);
  BattonEnable(form);  // each step shows the wait panel itself
  Outcome chain = programChip(form, done);
  if (chain.kind == OutcomeKind::NoProgrammer || chain.kind == OutcomeKind::Refused) return chain;
  return endChainedCommand(form, start, std::move(chain), done,
                           "Ошибка при программировании микроконтроллера.", kWriteNotFinished);
}

}  // namespace kalmar
