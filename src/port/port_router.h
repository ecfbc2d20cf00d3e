#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

#include "port/port_io.h"

namespace kalmar {

// Sends each access to the port device of its address (378h-37Fh to one,
// 278h-27Fh to the other), opening a device the first time it is needed and
// keeping it open. A device that cannot be opened behaves as a NonePort.
class PortRouter final : public PortIo {
 public:
  using Opener = std::function<PortOpenResult(std::uint16_t dataRegister)>;
  explicit PortRouter(Opener opener) : opener_(std::move(opener)) {}

  // Opens the device of a data register now (if not yet open) and says how
  // that went; the router keeps the port.
  PortOpenResult open(std::uint16_t dataRegister);

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;

 private:
  PortIo& portFor(std::uint16_t address);
  static std::uint16_t baseOf(std::uint16_t address) { return address & 0xFFF8; }

  Opener opener_;
  std::map<std::uint16_t, std::unique_ptr<PortIo>> ports_;
};

}  // namespace kalmar
