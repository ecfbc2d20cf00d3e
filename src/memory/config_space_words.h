#pragma once

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// The words of configuration space after the configuration word that a
// chip's catalogue row names: a second configuration word (2008h) and a
// factory calibration word. Each goes in a programming session of its own.

// Whether a second configuration word read back is the word written, in
// every bit the chip has (DeviceProfile::configMatches for the first).
bool secondConfigMatches(const DeviceProfile& profile, std::uint16_t readBack,
                         std::uint16_t written);

// Reads them into the buffer (config2, chipCalibration); nothing on a chip
// without them.
void readConfigSpaceWords(TForm1& form);

// Writes the buffer's second configuration word and reads it back; a word
// that does not read back as written gets the configuration word's box and
// fails with failedAction. Done at once on a chip with one word.
Outcome writeSecondConfigWord(TForm1& form, const char* failedAction);

}  // namespace kalmar
