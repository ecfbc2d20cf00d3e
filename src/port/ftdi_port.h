#pragma once

#include <functional>
#include <string>

#include "port/adapter_pins.h"
#include "port/port_io.h"

namespace kalmar {

// The adapter on an FT232R USB board in synchronous bit-bang mode
// (libftdi1): the first FT232R, or the one with the given serial number.
// A board that cannot be opened is a clear reason; a USB error later is
// told once through onFailure, after which the port behaves as a NonePort.
PortOpenResult openFtdiPort(const std::string& serial, const AdapterPins& pins,
                            std::function<void(const std::string&)> onFailure);

}  // namespace kalmar
