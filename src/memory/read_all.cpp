#include "memory/read_all.h"

#include "link/programmer_check.h"
#include "memory/data_memory.h"
#include "memory/id_locations.h"
#include "memory/operation_frame.h"
#include "memory/program_read.h"

namespace kalmar {

void Button16Click(TForm1& form) {
  if (!Chek_Hard(form)) return;
  const std::int64_t start = form.platform.timeOfDayMs();
  Button8Click(form);
  Button5Click(form);
  Proc_Read_ID(form);
  form.window.routes.N15.Enabled = false;
  form.window.routes.N31.Enabled = false;
  form.window.StatusBar2 = elapsedSince(form, start);
  form.window.StatusBar1 =
      " Последнее выполненное действие: успешно прочитаны все данные из микроконтроллера.";
}

}  // namespace kalmar
