#pragma once

#include "window/form1.h"

namespace kalmar {

void Proc_WritePM(TForm1& form);
void Proc_VerifyPM(TForm1& form);
void Button7Click(TForm1& form);  // "Запись PM": write, verify, configuration word
void PIC2Click(TForm1& form);  // "Память программ из PICа": the chip read image, then Button7Click
void Button6Click(TForm1& form);  // "Проверка PM"

}  // namespace kalmar
