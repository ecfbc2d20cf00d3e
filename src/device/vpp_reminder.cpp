#include "device/vpp_reminder.h"

namespace kalmar {

void remindToLowerVpp(TForm1& form) {
  if (!form.chip.profile.vppAtMost12V || form.lowerVppReminded) return;
  form.lowerVppReminded = true;
  form.host.messageBox(
      "Напряжение программирования.",
      "Для " + form.chip.profile.name +
          " одни источники допускают на MCLR 13 В, другие - не больше 12 В, а адаптер даёт "
          "около 12,7 В.\r\nЗамкните на адаптере перемычку S1 (резистор R18 параллельно R10): VPP "
          "станет около 11,7 В. Для остальных микроконтроллеров S1 разомкните.\r\nПодробнее - "
          "на странице схемы адаптера (Shema.htm), раздел «VPP для PIC16F882/883/884/886/887».",
      MessageIcon::Information, MessageButtons::Ok);
}

}  // namespace kalmar
