#include "port/linux_ports.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/parport.h>
#include <linux/ppdev.h>
#endif

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#define KALMAR_HAS_DIRECT_IO 1
#else
#define KALMAR_HAS_DIRECT_IO 0
#endif

namespace kalmar {

namespace {
std::string errnoText(int error) {
  return std::strerror(error);
}
}  // namespace

PpdevPort::PpdevPort(std::string devicePath, std::uint16_t dataRegister)
    : path_(std::move(devicePath)), base_(dataRegister) {
#if defined(__linux__)
  int fd = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    errno_ = errno;
    failure_ = errnoText(errno_);
    return;
  }
  if (::ioctl(fd, PPCLAIM) != 0) {
    errno_ = errno;
    failure_ = errnoText(errno_);
    ::close(fd);
    return;
  }
  fd_ = fd;
#else
  errno_ = ENOSYS;
  failure_ = errnoText(errno_);
#endif
}

PpdevPort::~PpdevPort() {
#if defined(__linux__)
  if (fd_ >= 0) {
    ::ioctl(fd_, PPRELEASE);
    ::close(fd_);
  }
#endif
}

void PpdevPort::write(std::uint16_t address, std::uint8_t value) {
#if defined(__linux__)
  if (fd_ < 0) return;
  unsigned char byte = value;
  if (address == base_)
    ::ioctl(fd_, PPWDATA, &byte);
  else if (address == base_ + 2)
    ::ioctl(fd_, PPWCONTROL, &byte);
#else
  (void)address;
  (void)value;
#endif
}

std::uint8_t PpdevPort::read(std::uint16_t address) {
  unsigned char byte = 0;
#if defined(__linux__)
  if (fd_ < 0) return 0;
  int result = 0;
  if (address == base_)
    result = ::ioctl(fd_, PPRDATA, &byte);
  else if (address == base_ + 1)
    result = ::ioctl(fd_, PPRSTATUS, &byte);
  else if (address == base_ + 2)
    result = ::ioctl(fd_, PPRCONTROL, &byte);
  if (result != 0) byte = 0;
#else
  (void)address;
#endif
  return byte;
}

DirectPort::DirectPort(std::uint16_t dataRegister) : base_(dataRegister) {
#if KALMAR_HAS_DIRECT_IO
  if (::ioperm(base_, 3, 1) != 0) {
    failure_ = errnoText(errno);
    return;
  }
  open_ = true;
#else
  failure_ = errnoText(ENOSYS);
#endif
}

DirectPort::~DirectPort() {
#if KALMAR_HAS_DIRECT_IO
  if (open_) ::ioperm(base_, 3, 0);
#endif
}

void DirectPort::write(std::uint16_t address, std::uint8_t value) {
#if KALMAR_HAS_DIRECT_IO
  if (open_ && address >= base_ && address < base_ + 3) ::outb(value, address);
#else
  (void)address;
  (void)value;
#endif
}

std::uint8_t DirectPort::read(std::uint16_t address) {
#if KALMAR_HAS_DIRECT_IO
  if (open_ && address >= base_ && address < base_ + 3) return ::inb(address);
#else
  (void)address;
#endif
  return 0;
}

std::string parportDeviceFor(std::uint16_t dataRegister) {
  return dataRegister == kLpt2Data ? "/dev/parport1" : "/dev/parport0";
}

PortOpenResult openPpdevDevice(const std::string& devicePath, std::uint16_t dataRegister) {
  PortOpenResult result;
  result.device = devicePath;
  auto ppdev = std::make_unique<PpdevPort>(devicePath, dataRegister);
  if (ppdev->isOpen()) {
    result.port = std::move(ppdev);
    result.opened = true;
    return result;
  }
  result.reason = ppdev->failure();
  result.port = std::make_unique<NonePort>();
  return result;
}

PortOpenResult openLinuxPort(std::uint16_t dataRegister) {
  PortOpenResult result;
  result.device = parportDeviceFor(dataRegister);
  auto ppdev = std::make_unique<PpdevPort>(result.device, dataRegister);
  if (ppdev->isOpen()) {
    result.port = std::move(ppdev);
    result.opened = true;
    return result;
  }
  result.reason = ppdev->failure();
  // Without the ppdev module there is no device node at all; a root user can
  // still reach the port directly at its address.
  if (ppdev->failureErrno() == ENOENT) {
    auto direct = std::make_unique<DirectPort>(dataRegister);
    if (direct->isOpen()) {
      result.port = std::move(direct);
      result.opened = true;
      result.reason.clear();
      return result;
    }
  }
  result.port = std::make_unique<NonePort>();
  return result;
}

}  // namespace kalmar
