#include "port/ftdi_port.h"

namespace kalmar {

PortOpenResult openFtdiPort(const std::string& serial, const AdapterPins&,
                            std::function<void(const std::string&)>) {
  return {std::make_unique<NonePort>(), false, serial, "FT232R не поддерживается"};
}

}  // namespace kalmar
