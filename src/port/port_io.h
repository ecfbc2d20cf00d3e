#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kalmar {

// The one seam between the programmer and the parallel port hardware: a byte
// written to an I/O address and a byte read from one. Write1 and Read_ASM in
// the line protocol are the only callers.
class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual void write(std::uint16_t address, std::uint8_t value) = 0;
  virtual std::uint8_t read(std::uint16_t address) = 0;
};

// Standard parallel port addresses: LPT1 and LPT2 data registers. The status
// register sits at data register + 1.
inline constexpr std::uint16_t kLpt1Data = 0x378;
inline constexpr std::uint16_t kLpt2Data = 0x278;
inline constexpr std::uint16_t statusRegister(std::uint16_t dataRegister) {
  return static_cast<std::uint16_t>(dataRegister + 1);
}

// A port nobody can reach: writes are lost and reads yield 0, exactly as the
// closed Windows driver behaves, so the programmer check reports no programmer.
class NonePort final : public PortIo {
 public:
  void write(std::uint16_t, std::uint8_t) override {}
  std::uint8_t read(std::uint16_t) override { return 0; }
};

// The outcome of choosing a backend for a port address.
struct PortOpenResult {
  std::unique_ptr<PortIo> port;  // for the caller to own; a NonePort when nothing opened
  bool opened = false;
  std::string device;  // e.g. "/dev/parport0"
  std::string reason;  // the system's reason when nothing opened
};

}  // namespace kalmar
