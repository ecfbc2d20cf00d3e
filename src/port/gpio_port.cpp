#include "port/gpio_port.h"

namespace kalmar {

PortOpenResult openGpioPort(const std::string& device, const AdapterPins&,
                            std::function<void(const std::string&)>) {
  return {std::make_unique<NonePort>(), false, device, "GPIO не поддерживается", {}};
}

}  // namespace kalmar
