#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "port/port_io.h"

namespace kalmar {

// The kernel's parallel port device (/dev/parportN through ppdev ioctls),
// opened and claimed once and kept open for the life of the object. Only the
// data, status and control registers of its own port answer; other addresses
// are ignored (writes) or read as 0.
class PpdevPort final : public PortIo {
 public:
  // Opens and claims the device; on failure isOpen() is false and failure()
  // says why (the system's reason).
  PpdevPort(std::string devicePath, std::uint16_t dataRegister);
  ~PpdevPort() override;
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  int failureErrno() const { return errno_; }
  const std::string& failure() const { return failure_; }

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;

 private:
  std::string path_;
  std::uint16_t base_;
  int fd_ = -1;
  int errno_ = 0;
  std::string failure_;
};

// Direct port instructions (ioperm + outb/inb); x86 only and needs root.
// Elsewhere it never opens.
class DirectPort final : public PortIo {
 public:
  explicit DirectPort(std::uint16_t dataRegister);
  ~DirectPort() override;
  DirectPort(const DirectPort&) = delete;
  DirectPort& operator=(const DirectPort&) = delete;

  bool isOpen() const { return open_; }
  const std::string& failure() const { return failure_; }

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;

 private:
  std::uint16_t base_;
  bool open_ = false;
  std::string failure_;
};

// 378h maps to /dev/parport0, 278h to /dev/parport1 (any other address to
// parport0). ppdev first; direct I/O at the address when the device node does
// not exist and privileges allow; otherwise a NonePort with the reason.
std::string parportDeviceFor(std::uint16_t dataRegister);
PortOpenResult openLinuxPort(std::uint16_t dataRegister);
// A ppdev device named by its path, whatever the address asks for.
PortOpenResult openPpdevDevice(const std::string& devicePath, std::uint16_t dataRegister);

}  // namespace kalmar
