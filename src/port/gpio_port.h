#pragma once

#include <functional>
#include <string>

#include "port/adapter_pins.h"
#include "port/port_io.h"

namespace kalmar {

// The adapter on the GPIO lines of a Linux GPIO character device
// (/dev/gpiochipN, the kernel's v2 interface): four outputs for the line
// byte's D0-D3 and one input for status bit 6. The lines are requested
// idle and given back idle when the port is destroyed. A failed request or
// access is told once through onFailure; the port then behaves as a
// NonePort.
PortOpenResult openGpioPort(const std::string& device, const AdapterPins& pins,
                            std::function<void(const std::string&)> onFailure);

}  // namespace kalmar
