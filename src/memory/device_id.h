#pragma once

#include <cstdint>
#include <string>

#include "window/form1.h"

namespace kalmar {

// The device ID word at 2006h: chip in bits 13:5, revision in bits 4:0.
inline constexpr std::uint16_t kDeviceIdMask = 0x3FE0;

// Reads the device ID in one short programming session (enter, Load
// Configuration, six increments, one read, exit). No frame, no status text.
std::uint16_t readDeviceId(TForm1& form);

// The catalogue name of the chip a device ID belongs to; empty when no
// supported chip has it (0000h or 3FFFh: nothing answered, or a PIC16F84 or
// PIC16C84, which have no ID).
std::string chipOfDeviceId(std::uint16_t id);
// Whether the chip carries a device ID at all.
bool hasDeviceId(const std::string& chip);
inline bool noChipAnswered(std::uint16_t id) {
  return id == 0x0000 || id == 0x3FFF;
}

}  // namespace kalmar
