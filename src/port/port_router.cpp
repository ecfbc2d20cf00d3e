#include "port/port_router.h"

namespace kalmar {

PortOpenResult PortRouter::open(std::uint16_t dataRegister) {
  const std::uint16_t base = baseOf(dataRegister);
  if (ports_.count(base) != 0) return {nullptr, true, {}, {}, {}};
  PortOpenResult result = opener_(dataRegister);
  ports_[base] = result.port ? std::move(result.port) : std::make_unique<NonePort>();
  return result;
}

PortIo& PortRouter::portFor(std::uint16_t address) {
  const std::uint16_t base = baseOf(address);
  auto found = ports_.find(base);
  if (found != ports_.end()) return *found->second;
  open(base);
  return *ports_[base];
}

void PortRouter::write(std::uint16_t address, std::uint8_t value) {
  portFor(address).write(address, value);
}

std::uint8_t PortRouter::read(std::uint16_t address) {
  return portFor(address).read(address);
}

}  // namespace kalmar
