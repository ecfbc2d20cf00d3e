#pragma once

#include <cstdint>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// A PIC12F629/675 calibration word is a RETLW (34xxh).
inline bool isCalibrationWord(std::uint16_t word) {
  return (word & 0xFF00) == 0x3400;
}

// Reads the chip's configuration word and returns its BG bits as 00h, 10h,
// 20h or 30h; also notes the calibration word at the last address.
std::uint8_t BG_of_12F6xx_Readen_Befor_Write(TForm1& form);
// Puts the chip's BG bits into the buffer's word unless the user confirms
// a different chosen value.
void BG_of_12F6xx_Readen(TForm1& form);
// The PIC12F629/675 erase before programming (program memory, IDs,
// configuration), the calibration word and BG bits written back right after.
Outcome Errase_PM_befor_Write_12F6xx(TForm1& form);
// A chip with write latches only programs its rows (bits go from 1 to 0):
// its program memory alone is erased before it is written, the IDs,
// configuration words, data memory and a calibration word left as they are.
Outcome eraseBeforeRows(TForm1& form);
// Before erasing a PIC12F629/675 whose calibration word read 0000h (code
// protection): the question whether to lose it; refused (and the operation
// failed) when the user declines. Done at once for any other chip state.
Outcome eraseMayLoseCalibration(TForm1& form);
// Right after an erase of a PIC12F629/675: writes the calibration word noted
// before it and the BG bits of bgSource back, each checked, so that no later
// failure can lose them. On failure a box names the values lost.
Outcome keepFactoryValues(TForm1& form, std::uint16_t bgSource);
// "Стереть Все": erase everything and prove the chip blank.
Outcome Button11Click(TForm1& form);
// The same after the programmer check and the question.
Outcome eraseChip(TForm1& form);
// The erase before programming the whole chip: as eraseChip, the factory
// values of a PIC12F629/675 kept, but no blank check (everything is written
// or verified after it) and no pass of FFh over a PIC16F84's data memory;
// the window's views stay as they are.
Outcome eraseForProgramming(TForm1& form);

}  // namespace kalmar
