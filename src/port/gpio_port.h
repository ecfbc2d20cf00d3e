#pragma once

#include <functional>
#include <string>

#include "port/adapter_pins.h"
#include "port/port_io.h"

namespace kalmar {

// The adapter on the GPIO lines of a Linux GPIO character device
// (/dev/gpiochipN, the kernel's v2 interface): four outputs for the line
// byte's D0-D3 and one input for status bit 6. It answers on any port
// address as a parallel port would: a write to an even address sets the
// outputs, a read of an odd one gives the status register (87h, with 40h
// while the read-back line is high), of an even one the last byte written.
// The lines are requested idle (all four outputs high: the adapter's
// supplies off) and given back idle when the port is destroyed. A device
// or line that cannot be had is a reason in the result; a failed access
// later is told once through onFailure, and the port then behaves as a
// NonePort.
PortOpenResult openGpioPort(const std::string& device, const AdapterPins& pins,
                            std::function<void(const std::string&)> onFailure);

}  // namespace kalmar
