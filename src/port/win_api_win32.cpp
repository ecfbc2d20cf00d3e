// Real Win32 calls behind WinApi; compiled only in Windows builds.
#if defined(_WIN32)
#include <windows.h>

#include "port/win_api.h"

namespace kalmar {
namespace {

SC_HANDLE sc(WinHandle handle) {
  return reinterpret_cast<SC_HANDLE>(handle);
}
HANDLE file(WinHandle handle) {
  return reinterpret_cast<HANDLE>(handle);
}
WinHandle wrap(const void* handle) {
  return reinterpret_cast<WinHandle>(handle);
}

class Win32Api final : public WinApi {
 public:
  bool GetVersionExA(WinVersionInfo& info) override {
    OSVERSIONINFOA record{};
    record.dwOSVersionInfoSize = sizeof record;  // 148 bytes
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = ::GetVersionExA(&record);
#pragma GCC diagnostic pop
    if (!known) return false;
    info.platformId = record.dwPlatformId;
    info.majorVersion = record.dwMajorVersion;
    info.minorVersion = record.dwMinorVersion;
    return true;
  }
  WinHandle OpenSCManagerA(std::uint32_t access) override {
    return wrap(::OpenSCManagerA(nullptr, nullptr, access));
  }
  WinHandle CreateServiceA(WinHandle manager, const std::string& name,
                           const std::string& displayName, std::uint32_t access,
                           std::uint32_t serviceType, std::uint32_t startType,
                           std::uint32_t errorControl, const std::string& binaryPath) override {
    return wrap(::CreateServiceA(sc(manager), name.c_str(), displayName.c_str(), access,
                                 serviceType, startType, errorControl, binaryPath.c_str(), nullptr,
                                 nullptr, nullptr, nullptr, nullptr));
  }
  WinHandle OpenServiceA(WinHandle manager, const std::string& name,
                         std::uint32_t access) override {
    return wrap(::OpenServiceA(sc(manager), name.c_str(), access));
  }
  bool StartServiceA(WinHandle service) override {
    return ::StartServiceA(sc(service), 0, nullptr) != 0;
  }
  bool ControlService(WinHandle service, std::uint32_t control) override {
    SERVICE_STATUS status{};
    return ::ControlService(sc(service), control, &status) != 0;
  }
  bool DeleteService(WinHandle service) override {
    return ::DeleteService(sc(service)) != 0;
  }
  bool CloseServiceHandle(WinHandle handle) override {
    return ::CloseServiceHandle(sc(handle)) != 0;
  }
  WinHandle CreateFileA(const std::string& name, std::uint32_t access, std::uint32_t shareMode,
                        std::uint32_t disposition, std::uint32_t attributes) override {
    return wrap(
        ::CreateFileA(name.c_str(), access, shareMode, nullptr, disposition, attributes, nullptr));
  }
  bool CloseHandle(WinHandle handle) override {
    return ::CloseHandle(file(handle)) != 0;
  }
  bool DeviceIoControl(WinHandle device, std::uint32_t code, const std::uint8_t* input,
                       std::uint32_t inputSize, std::uint8_t* output, std::uint32_t outputSize,
                       std::uint32_t& returned) override {
    DWORD count = 0;
    BOOL ok = ::DeviceIoControl(file(device), code, const_cast<std::uint8_t*>(input), inputSize,
                                output, outputSize, &count, nullptr);
    returned = count;
    return ok != 0;
  }
  std::uint32_t GetLastError() override {
    return ::GetLastError();
  }
  std::string GetSystemDirectoryA() override {
    char path[MAX_PATH] = {};
    UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    return std::string(path, length < MAX_PATH ? length : 0);
  }
  std::string GetCurrentDirectoryA() override {
    char path[MAX_PATH] = {};
    DWORD length = ::GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, length < MAX_PATH ? length : 0);
  }
  bool FileExists(const std::string& path) override {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  }
};

}  // namespace

std::unique_ptr<WinApi> makeWin32Api() {
  return std::make_unique<Win32Api>();
}

}  // namespace kalmar
#endif
