#pragma once

#include <string>

#include "model/form1.h"

namespace kalmar {

// Sets the text of data memory cell n (1..256) as the program does; a real
// change runs the cell's change handler, as the window's edit controls do.
void setDataCellText(TForm1& form, int n, const std::string& text);

// The change handler shared by all data cells: stores a valid hex entry in
// the edit copy, or puts the old value back and beeps.
void MaskEdit1Change(TForm1& form, int n);

// Every cell of the current size shows "FF", the window repainting after each.
void ClearME(TForm1& form);

// Parses "$" + text as a hex number of at most four digits.
bool parseHexCell(const std::string& text, unsigned& value);
// A masked cell's text: every one of its `width` positions holds a hex
// digit. A shorter text still has free positions, which the mask shows as "_".
bool parseFullCell(const std::string& text, std::size_t width, unsigned& value);

}  // namespace kalmar
