#pragma once

#include <string>

#include "model/buffer.h"

namespace kalmar {

// The buffer as Intel HEX in the reader's layout: program words low byte
// first at twice their address, IDs at 4000h, the configuration word at
// 400Eh, data byte n at 4200h + 2n; 16 data bytes a record, CR LF line ends,
// the end record last. Records whose words are all blank are left out (the
// reader starts from a blank buffer); IDs and configuration are always
// written, a second configuration word at 4010h. With configuration space
// at 8000h (configBase) an extended linear address record of 1 comes before
// the IDs (byte 10000h), the configuration words (1000Eh) and data memory
// (1E000h), as Microchip's tools write them.
std::string bufferToHex(const Buffer& buffer, int programWords, int dataBytes,
                        int configWords = 1, std::uint16_t configBase = 0x2000);

}  // namespace kalmar
