#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "port/port_io.h"

namespace kalmar {

// The port at a data register address on Windows: on the NT family through
// the port driver (TSmallPort over the real Win32 calls: its service
// installed and started for the run, its device opened), on Windows
// 95/98/ME by the processor's port instructions. When neither is possible the
// port is a NonePort and the reason says why.
// The library's port stands first where it lies beside the program (see
// below): on 64-bit Windows the port driver cannot load.
PortOpenResult openWindowsPort(std::uint16_t dataRegister);

// The port library most parallel-port tools use on 64-bit Windows, where a
// 32-bit kernel driver cannot load: inpoutx64.dll for a 64-bit program,
// inpout32.dll for a 32-bit one. Kalmar never ships it; it is used where it
// lies beside the program.
const char* portLibraryName();
// Its full path (UTF-8) when it lies beside the program, else empty.
std::string portLibraryBesideProgram();
// The port through the library at `path`; null with the reason when it
// cannot be loaded, lacks its calls or could not start its driver.
std::unique_ptr<PortIo> openPortLibrary(const std::string& path, std::string& reason);

}  // namespace kalmar
