#pragma once

#include "memory/region_loops.h"
#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// Program memory as a region of checked writes, from firstAddress on.
RegionWrite programMemoryRegion(std::uint32_t firstAddress, int incrementLimit);

Outcome Proc_WritePM(TForm1& form);
Outcome Proc_VerifyPM(TForm1& form);
// Writes the program words of the buffer into a chip just erased: blank
// words are passed with Increment Address only, since they read 3FFFh
// already; every word written is read back. The calibration word of a
// PIC12F629/675 is left to the erase, which put it back.
Outcome writeProgramAfterErase(TForm1& form);
Outcome Button7Click(TForm1& form);  // "Запись PM": write, verify, configuration word
Outcome PIC2Click(
    TForm1& form);  // "Память программ из PICа": the chip read image, then Button7Click
Outcome Button6Click(TForm1& form);  // "Проверка PM"

}  // namespace kalmar
