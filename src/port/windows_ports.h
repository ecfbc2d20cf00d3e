#pragma once

#include <cstdint>

#include "port/port_io.h"

namespace kalmar {

// The port at a data register address on Windows: on the NT family through
// the port driver (TSmallPort over the real Win32 calls: its service
// installed and started for the run, its device opened), on Windows
// 95/98/ME by the processor's port instructions. When neither is possible the
// port is a NonePort and the reason says why.
PortOpenResult openWindowsPort(std::uint16_t dataRegister);

}  // namespace kalmar
