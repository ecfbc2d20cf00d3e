#pragma once

#include <cstdint>
#include <vector>

#include "window/form1.h"

namespace kalmar {

// Reads every data memory byte of the chip; the raw 14-bit words in address order.
std::vector<std::uint16_t> Proc_Read_DM(TForm1& form);
void Proc_Write_DM(TForm1& form);
void Proc_Verify_DM(TForm1& form);
void Button5Click(TForm1& form);  // "Чтение DM"
void Button9Click(TForm1& form);  // "Запись DM"

}  // namespace kalmar
