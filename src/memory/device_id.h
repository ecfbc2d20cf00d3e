#pragma once

#include <cstdint>
#include <string>

#include "model/form1.h"

namespace kalmar {

// Reads the device ID in one short programming session (enter, Load
// Configuration, six increments, one read, exit). No frame, no status text.
std::uint16_t readDeviceId(TForm1& form);

// What a chip without an ID, an empty socket or a missing adapter reads.
inline bool noChipAnswered(std::uint16_t id) {
  return id == 0x0000 || id == 0x3FFF;
}

}  // namespace kalmar
