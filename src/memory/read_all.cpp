#include "memory/read_all.h"

#include "link/programmer_check.h"
#include "memory/data_memory.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"

namespace kalmar {

Outcome Button16Click(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::int64_t start = form.platform.timeOfDayMs();
  // Each part checks the programmer again: the adapter may go between them.
  Outcome part = Button8Click(form);
  if (part) part = Button5Click(form);
  if (!part) return part;
  Proc_Read_ID(form);
  form.window.routes.enableFileProgramRoutes(false);  // what was read is no file
  form.window.StatusBar2 = elapsedSince(form, start);
  const char* const done =
      " Последнее выполненное действие: успешно прочитаны все данные из микроконтроллера.";
  form.window.StatusBar1 = done;
  return Outcome::done(done).timed(form.window.StatusBar2);
}

}  // namespace kalmar
