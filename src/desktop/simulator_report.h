#pragma once

#include <cstdint>
#include <string>

namespace kalmar::sim {
class SimLog;
}

namespace kalmar::desktop {

// What the simulated chip noticed during a command (timing violations, what
// the documents warn of), the first ten of them, for a box after the
// command; empty when nothing.
std::string simulatorFindings(const sim::SimLog& log);

// The calibration word and BG bits read before a PIC12F629/675 is erased,
// as the status line shows them until they are written back.
std::string factoryValuesText(std::uint16_t calibration, std::uint8_t bg);

}  // namespace kalmar::desktop
