#pragma once

#include <cstdint>
#include <vector>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// Reads every data memory byte of the chip; the raw 14-bit words in address order.
std::vector<std::uint16_t> Proc_Read_DM(TForm1& form);
Outcome Proc_Write_DM(TForm1& form);
// The data bytes that are not FFh into a chip just erased, each read back.
Outcome writeDataAfterErase(TForm1& form);
Outcome Proc_Verify_DM(TForm1& form);
Outcome Button5Click(TForm1& form);  // "Чтение DM"
Outcome Button9Click(TForm1& form);  // "Запись DM"

}  // namespace kalmar
