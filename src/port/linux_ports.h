#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "port/port_io.h"

namespace kalmar {

// The system calls a ppdev port makes, so that tests can fail any of them.
class PpdevSystem {
 public:
  virtual ~PpdevSystem() = default;
  virtual int open(const char* path) = 0;                                // fd or -1 with errno
  virtual int ioctl(int fd, unsigned long request, void* argument) = 0;  // 0 or -1 with errno
  virtual void close(int fd) = 0;
  // The real calls.
  static PpdevSystem& real();
};

// The kernel's parallel port device (/dev/parportN through ppdev ioctls),
// opened and claimed once and kept open for the life of the object. Only the
// data, status and control registers of its own port answer; other addresses
// are ignored (writes) or read as 0.
class PpdevPort final : public PortIo {
 public:
  using FailureReport = std::function<void(const std::string& text)>;

  // Opens and claims the device and sets its data lines to drive (forward);
  // on failure isOpen() is false and failure() says why, with what to do
  // about it where the reason tells.
  PpdevPort(std::string devicePath, std::uint16_t dataRegister,
            PpdevSystem& system = PpdevSystem::real());
  ~PpdevPort() override;
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  int failureErrno() const { return errno_; }
  const std::string& failure() const { return failure_; }

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;

  // Told once when a write or a read fails on an open port (the device was
  // unplugged, the claim lost); later failures are silent.
  void onFailure(FailureReport report) { report_ = std::move(report); }

 private:
  void failed(const char* what);

  std::string path_;
  std::uint16_t base_;
  PpdevSystem& system_;
  FailureReport report_;
  bool reported_ = false;
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
PortOpenResult openLinuxPort(std::uint16_t dataRegister, PpdevPort::FailureReport report = {});
// A ppdev device named by its path, whatever the address asks for.
PortOpenResult openPpdevDevice(const std::string& devicePath, std::uint16_t dataRegister,
                               PpdevPort::FailureReport report = {});

}  // namespace kalmar
