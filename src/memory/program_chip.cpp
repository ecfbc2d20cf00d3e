#include "memory/program_chip.h"

#include "link/programmer_check.h"
#include "memory/config_word.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_write.h"

namespace kalmar {

namespace {

bool anyDataBytes(const TForm1& form) {
  for (int i = 0; i < form.profile.dataBytes; ++i)
    if (form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte) return true;
  return false;
}

bool allIdsBlank(const Buffer& buffer) {
  for (std::uint16_t id : buffer.ids)
    if (id != kBlankWord) return false;
  return true;
}

// The erase leaves its own blank image; the file comes back, with the
// chip's calibration word and BG bits where the erase kept them.
void restoreFileImage(TForm1& form, const Buffer& file) {
  const auto keptBg = static_cast<std::uint16_t>(form.buffer.config & 0x3000);
  const auto last = static_cast<std::size_t>(form.profile.programWords - 1);
  const std::uint16_t keptLast = form.buffer.program[last];
  form.buffer.program = file.program;
  form.buffer.data = file.data;
  form.buffer.ids = file.ids;
  form.buffer.config = file.config;
  if (form.profile.is12F6xx()) {
    form.buffer.program[last] = keptLast;
    form.buffer.config = static_cast<std::uint16_t>((file.config & ~0x3000) | keptBg);
  }
}

Outcome writeAndVerifyData(TForm1& form) {
  Outcome outcome = Proc_Write_DM(form);
  if (outcome) outcome = Proc_Verify_DM(form);
  return outcome;
}

}  // namespace

Outcome programChip(TForm1& form, const std::string& sourceName) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  if (Outcome asked = confirmCodeProtection(form); !asked) return asked;
  const std::int64_t start = form.platform.timeOfDayMs();
  const Buffer file = form.buffer;
  // The erase of a PIC12F629/675 writes its configuration word back with
  // the BG bits kept: an erased word, so that no protection comes before
  // the words it would protect. The file's word goes last.
  form.buffer.config = kBlankWord;
  Outcome step = eraseChip(form);
  if (!step) return step;
  restoreFileImage(form, file);
  step = writeProgramAfterErase(form);
  if (step) step = Proc_VerifyPM(form);
  if (step && anyDataBytes(form)) step = writeAndVerifyData(form);
  if (step && !allIdsBlank(form.buffer)) step = writeAndCheckIds(form);
  if (step) step = Proc_Write_Config(form);
  if (!step) return step;
  const std::string done =
      " Последнее выполненное действие: микроконтроллер запрограммирован из файла " + sourceName +
      ", всё проверено.";
  form.window.StatusBar1 = done;
  form.window.StatusBar2 = elapsedSince(form, start);
  return Outcome::done(done).timed(form.window.StatusBar2);
}

}  // namespace kalmar
