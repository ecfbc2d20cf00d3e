#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "port/recording_port.h"

namespace kalmar::cli {

// A Value Change Dump of a command's port traffic, for GTKWave and
// PulseView/sigrok: the adapter's lines as the chip sees them (VPP on D2
// and VDD on D3, as the schematic wires them; CLK; DATA as the host drives
// it, 1 = released), DATA as read back from the chip at each status read,
// and each decoded 6-bit command as a string signal. Times in nanoseconds
// from the start of the command.
std::string vcdTrace(const std::vector<PortAccess>& accesses, std::int64_t startNs);

// "--trace FILE.vcd" asks for this format.
bool wantsVcd(const std::string& path);

}  // namespace kalmar::cli
