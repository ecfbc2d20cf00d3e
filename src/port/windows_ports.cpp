#include "port/windows_ports.h"

#include <memory>
#include <string>

#include "port/small_port.h"
#include "port/win_api.h"
#include "system/system_reason.h"

namespace kalmar {

namespace {

// The driver front end together with the Win32 calls it makes.
class DriverPort final : public PortIo {
 public:
  DriverPort() : api_(makeWin32Api()), port_(std::make_unique<TSmallPort>(*api_)) {}
  TSmallPort& port() { return *port_; }
  void write(std::uint16_t address, std::uint8_t value) override { port_->write(address, value); }
  std::uint8_t read(std::uint16_t address) override { return port_->read(address); }

 private:
  std::unique_ptr<WinApi> api_;       // declared first, so destroyed last:
  std::unique_ptr<TSmallPort> port_;  // the service is removed while the calls still exist
};

#if defined(__i386__)
// Windows 95/98/ME let a program execute port instructions itself.
class InstructionPort final : public PortIo {
 public:
  void write(std::uint16_t address, std::uint8_t value) override {
    __asm__ volatile("outb %0, %w1" : : "a"(value), "Nd"(address));
  }
  std::uint8_t read(std::uint16_t address) override {
    std::uint8_t value = 0;
    __asm__ volatile("inb %w1, %0" : "=a"(value) : "Nd"(address));
    return value;
  }
};
#endif

std::string hexAddress(std::uint16_t address) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (int shift = 8; shift >= 0; shift -= 4) text += digits[(address >> shift) & 0xF];
  return text + "h";
}

}  // namespace

PortOpenResult openWindowsPort(std::uint16_t dataRegister) {
  PortOpenResult result;
  result.device =
      (dataRegister == kLpt2Data ? "LPT2 (" : "LPT1 (") + hexAddress(dataRegister) + ")";
  if (const std::string library = portLibraryBesideProgram(); !library.empty()) {
    result.device += " через " + std::string(portLibraryName());
    result.port = openPortLibrary(library, result.reason);
    result.opened = result.port != nullptr;
    if (!result.opened) result.port = std::make_unique<NonePort>();
    return result;
  }
  auto driver = std::make_unique<DriverPort>();
  TSmallPort& port = driver->port();
  if (port.usesDriver()) {
    port.setOpened(true);
    if (port.Opened()) {
      result.port = std::move(driver);
      result.opened = true;
      return result;
    }
    result.reason = "драйвер порта Smport не запущен: " + windowsReason(port.lastError());
  } else if (port.systemKind() == TSmallPort::kWindows95 ||
             port.systemKind() == TSmallPort::kWindows98 ||
             port.systemKind() == TSmallPort::kWindowsMe) {
#if defined(__i386__)
    result.port = std::make_unique<InstructionPort>();
    result.opened = true;
    return result;
#else
    result.reason = "64-разрядная программа не работает под Windows 95/98/ME";
#endif
  } else {
    result.reason = "порт недоступен в этой версии Windows";
  }
  result.port = std::make_unique<NonePort>();
  return result;
}

}  // namespace kalmar
