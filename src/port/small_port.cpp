#include "port/small_port.h"

namespace kalmar {

namespace {
constexpr std::uint32_t kManagerAllAccess = 0xF003F;
constexpr std::uint32_t kServiceAllAccess = 0xF01FF;
constexpr std::uint32_t kKernelDriver = 1;
constexpr std::uint32_t kDemandStart = 3;
constexpr std::uint32_t kErrorControlNormal = 1;
constexpr std::uint32_t kServiceControlStop = 1;
constexpr std::uint32_t kGenericReadWrite = 0xC0000000;
constexpr std::uint32_t kOpenExisting = 3;
constexpr std::uint32_t kNormalAttributes = 0x80;
constexpr std::uint32_t kDeviceType = 0xF100;
}  // namespace

TSmallPort::TSmallPort(WinApi& api) : api_(api) {
  WinVersionInfo version;
  systemKind_ = api_.GetVersionExA(version) ? systemKindFrom(version) : kUnknownSystem;
  if (usesDriver()) {
    readCode_ = controlCode(0x901, 1);
    writeCode_ = controlCode(0x902, 2);
  }
}

TSmallPort::~TSmallPort() {
  if (Opened()) close();
  if (usesDriver()) stopAndDeleteService();
}

int TSmallPort::systemKindFrom(const WinVersionInfo& version) {
  switch (version.platformId) {
    case 0:
      return kWin32s;
    case 1:
      if (version.minorVersion == 0) return kWindows95;
      if (version.minorVersion == 10) return kWindows98;
      if (version.minorVersion == 90) return kWindowsMe;
      return kUnknownSystem;
    case 2:
      if (version.majorVersion == 4) return kWindowsNt4;
      // Every later NT (Vista to 11) keeps user programs off the ports as
      // 2000/XP do: the driver is their only way.
      if (version.majorVersion >= 5) return kWindows2000;
      return kUnknownSystem;
    default:
      return kUnknownSystem;
  }
}

std::uint32_t TSmallPort::controlCode(std::uint32_t function, std::uint32_t access) {
  return (kDeviceType << 16) | (access << 14) | (function << 2);
}

void TSmallPort::setOpened(bool open) {
  if (open && !Opened()) this->open();
  if (!open && Opened()) close();
}

bool TSmallPort::openServiceManager() {
  if (manager_ != 0) return true;
  manager_ = api_.OpenSCManagerA(kManagerAllAccess);
  if (manager_ != 0) return true;
  recordError();
  return false;
}

void TSmallPort::closeServiceManager() {
  if (manager_ == 0) return;
  api_.CloseServiceHandle(manager_);
  manager_ = 0;
}

// The driver file is looked for beside the program first, then in the
// system directory.
bool TSmallPort::installService() {
  std::string path = api_.GetCurrentDirectoryA() + "\\" + serviceName_ + ".sys";
  if (!api_.FileExists(path)) path = api_.GetSystemDirectoryA() + "\\" + serviceName_ + ".sys";
  WinHandle service = api_.CreateServiceA(manager_, serviceName_, serviceName_, kServiceAllAccess,
                                          kKernelDriver, kDemandStart, kErrorControlNormal, path);
  if (service != 0) {
    api_.CloseServiceHandle(service);
    return true;
  }
  std::uint32_t error = api_.GetLastError();
  if (error == kErrorServiceExists) {
    deleteOnClose_ = false;  // someone else's service: leave it in place
    return true;
  }
  lastError_ = error;
  return false;
}

void TSmallPort::startService() {
  WinHandle service = api_.OpenServiceA(manager_, serviceName_, kServiceAllAccess);
  if (service == 0) {
    recordError();
    return;
  }
  bool started = api_.StartServiceA(service);
  std::uint32_t error = started ? 0 : api_.GetLastError();
  api_.CloseServiceHandle(service);
  if (started) return;
  if (error == kErrorServiceRunning) {
    stopOnClose_ = false;  // it ran before us: do not stop it at the end
    return;
  }
  lastError_ = error;
}

void TSmallPort::open() {
  if (Opened()) close();
  lastError_ = 0;
  if (!openServiceManager()) return;
  if (!installService()) {
    closeServiceManager();
    return;
  }
  startService();
  closeServiceManager();
  if (lastError_ != 0) return;
  handle_ = api_.CreateFileA("\\\\.\\" + serviceName_, kGenericReadWrite, 0, kOpenExisting,
                             kNormalAttributes);
  if (handle_ == kInvalidHandleValue) recordError();
}

void TSmallPort::close() {
  api_.CloseHandle(handle_);
  handle_ = kInvalidHandleValue;
}

void TSmallPort::stopAndDeleteService() {
  if (!openServiceManager()) return;
  if (stopOnClose_) {
    WinHandle service = api_.OpenServiceA(manager_, serviceName_, kServiceAllAccess);
    if (service == 0) {
      recordError();
    } else {
      if (!api_.ControlService(service, kServiceControlStop)) recordError();
      api_.CloseServiceHandle(service);
    }
  }
  if (deleteOnClose_) {
    WinHandle service = api_.OpenServiceA(manager_, serviceName_, kServiceAllAccess);
    if (service == 0) {
      recordError();
    } else {
      if (!api_.DeleteService(service)) recordError();
      api_.CloseServiceHandle(service);
    }
  }
  closeServiceManager();
}

std::uint8_t TSmallPort::readByte(std::uint16_t address) {
  if (!Opened()) {
    lastError_ = kErrorInvalidHandle;
    return 0;
  }
  const std::uint8_t request[2] = {static_cast<std::uint8_t>(address & 0xFF),
                                   static_cast<std::uint8_t>(address >> 8)};
  std::uint8_t reply[2] = {0, 0};
  std::uint32_t returned = 0;
  if (!api_.DeviceIoControl(handle_, readCode_, request, 2, reply, 2, returned)) {
    recordError();
    return 0;
  }
  return reply[0];
}

void TSmallPort::writeByte(std::uint16_t address, std::uint8_t value) {
  if (!Opened()) {
    lastError_ = kErrorInvalidHandle;
    return;
  }
  writeRequest_ = {static_cast<std::uint8_t>(address & 0xFF),
                   static_cast<std::uint8_t>(address >> 8), value, 0};
  std::uint8_t reply[2] = {0, 0};
  std::uint32_t returned = 0;
  if (!api_.DeviceIoControl(handle_, writeCode_, writeRequest_.data(), 4, reply, 2, returned))
    recordError();
}

}  // namespace kalmar
