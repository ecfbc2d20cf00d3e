#include "port/linux_ports.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

#if defined(__linux__)
#include <linux/parport.h>
#include <linux/ppdev.h>
#endif

#include "system/system_reason.h"

#if defined(__linux__) && (defined(__x86_64__) || defined(__i386__))
#include <sys/io.h>
#define KALMAR_HAS_DIRECT_IO 1
#else
#define KALMAR_HAS_DIRECT_IO 0
#endif

namespace kalmar {

namespace {

class RealPpdevSystem final : public PpdevSystem {
 public:
  int open(const char* path) override { return ::open(path, O_RDWR | O_CLOEXEC); }
  int ioctl(int fd, unsigned long request, void* argument) override {
    return ::ioctl(fd, request, argument);
  }
  void close(int fd) override { ::close(fd); }
};

// The system's reason, and what a user can do about the usual ones.
std::string failureText(int error) {
  std::string text = systemReason(error);
  if (error == EACCES || error == EPERM)
    text += " (нужен доступ к устройству: группа lp, sudo adduser $USER lp, затем войти заново)";
  else if (error == EBUSY)
    text += " (порт занят другим драйвером: выгрузите модуль lp, sudo rmmod lp)";
  else if (error == ENXIO || error == ENODEV)
    text += " (порт отключён или модуль parport_pc не загружен)";
  return text;
}

}  // namespace

PpdevSystem& PpdevSystem::real() {
  static RealPpdevSystem system;
  return system;
}

PpdevPort::PpdevPort(std::string devicePath, std::uint16_t dataRegister, PpdevSystem& system)
    : path_(std::move(devicePath)), base_(dataRegister), system_(system) {
#if defined(__linux__)
  const int fd = system_.open(path_.c_str());
  if (fd < 0) {
    errno_ = errno;
    failure_ = failureText(errno_);
    return;
  }
  if (system_.ioctl(fd, PPCLAIM, nullptr) != 0) {
    errno_ = errno;
    failure_ = failureText(errno_);
    system_.close(fd);
    return;
  }
  // Another program may have left the port reading (reverse): make it drive.
  int forward = 0;
  if (system_.ioctl(fd, PPDATADIR, &forward) != 0) {
    errno_ = errno;
    failure_ = failureText(errno_);
    system_.ioctl(fd, PPRELEASE, nullptr);
    system_.close(fd);
    return;
  }
  fd_ = fd;
#else
  errno_ = ENOSYS;
  failure_ = systemReason(errno_);
#endif
}

PpdevPort::~PpdevPort() {
#if defined(__linux__)
  if (fd_ >= 0) {
    system_.ioctl(fd_, PPRELEASE, nullptr);
    system_.close(fd_);
  }
#endif
}

void PpdevPort::failed(const char* what) {
  const int error = errno;
  if (reported_) return;
  reported_ = true;
  failure_ = failureText(error);
  if (report_)
    report_(std::string("Не удалось ") + what + " порт " + path_ + ".\r\nПричина: " + failure_ +
            ".");
}

void PpdevPort::write(std::uint16_t address, std::uint8_t value) {
#if defined(__linux__)
  if (fd_ < 0) return;
  unsigned char byte = value;
  int result = 0;
  if (address == base_)
    result = system_.ioctl(fd_, PPWDATA, &byte);
  else if (address == base_ + 2)
    result = system_.ioctl(fd_, PPWCONTROL, &byte);
  if (result != 0) failed("записать в");
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
    result = system_.ioctl(fd_, PPRDATA, &byte);
  else if (address == base_ + 1)
    result = system_.ioctl(fd_, PPRSTATUS, &byte);
  else if (address == base_ + 2)
    result = system_.ioctl(fd_, PPRCONTROL, &byte);
  if (result != 0) {
    byte = 0;
    failed("прочитать");
  }
#else
  (void)address;
#endif
  return byte;
}

DirectPort::DirectPort(std::uint16_t dataRegister) : base_(dataRegister) {
#if KALMAR_HAS_DIRECT_IO
  if (::ioperm(base_, 3, 1) != 0) {
    failure_ = systemReason(errno);
    return;
  }
  open_ = true;
#else
  failure_ = systemReason(ENOSYS);
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

PortOpenResult openPpdevDevice(const std::string& devicePath, std::uint16_t dataRegister,
                               PpdevPort::FailureReport report) {
  PortOpenResult result;
  result.device = devicePath;
  auto ppdev = std::make_unique<PpdevPort>(devicePath, dataRegister);
  if (ppdev->isOpen()) {
    ppdev->onFailure(std::move(report));
    result.port = std::move(ppdev);
    result.opened = true;
    return result;
  }
  result.reason = ppdev->failure();
  result.port = std::make_unique<NonePort>();
  return result;
}

PortOpenResult openLinuxPort(std::uint16_t dataRegister, PpdevPort::FailureReport report) {
  PortOpenResult result;
  result.device = parportDeviceFor(dataRegister);
  auto ppdev = std::make_unique<PpdevPort>(result.device, dataRegister);
  if (ppdev->isOpen()) {
    ppdev->onFailure(std::move(report));
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
