#pragma once

#include "window/form1.h"

namespace kalmar {

void Proc_WritePM(TForm1& form);
void Proc_VerifyPM(TForm1& form);
// Writes the program words of the buffer into a chip just erased: blank
// words are passed with Increment Address only, since they read 3FFFh
// already; every word written is read back. The calibration word of a
// PIC12F629/675 is left to the erase, which put it back.
void writeProgramAfterErase(TForm1& form);
void Button7Click(TForm1& form);  // "Запись PM": write, verify, configuration word
void PIC2Click(TForm1& form);  // "Память программ из PICа": the chip read image, then Button7Click
void Button6Click(TForm1& form);  // "Проверка PM"

}  // namespace kalmar
