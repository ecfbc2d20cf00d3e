#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace kalmar {

// The handful of Win32 calls the port driver front end needs, behind an
// interface so that its service and device rules are tested on any system.
// Handles are plain integers: 0 is "no handle" for the service manager and
// services, -1 (INVALID_HANDLE_VALUE) for files.
using WinHandle = std::intptr_t;
inline constexpr WinHandle kInvalidHandleValue = -1;

struct WinVersionInfo {
  std::uint32_t platformId = 0;  // 0 Win32s, 1 Windows 9x, 2 Windows NT
  std::uint32_t majorVersion = 0;
  std::uint32_t minorVersion = 0;
};

class WinApi {
 public:
  virtual ~WinApi() = default;
  virtual bool GetVersionExA(WinVersionInfo& info) = 0;
  virtual WinHandle OpenSCManagerA(std::uint32_t access) = 0;
  virtual WinHandle CreateServiceA(WinHandle manager, const std::string& name,
                                   const std::string& displayName, std::uint32_t access,
                                   std::uint32_t serviceType, std::uint32_t startType,
                                   std::uint32_t errorControl, const std::string& binaryPath) = 0;
  virtual WinHandle OpenServiceA(WinHandle manager, const std::string& name,
                                 std::uint32_t access) = 0;
  virtual bool StartServiceA(WinHandle service) = 0;
  // The status record the call fills is 28 bytes; nobody looks at it.
  virtual bool ControlService(WinHandle service, std::uint32_t control) = 0;
  virtual bool DeleteService(WinHandle service) = 0;
  virtual bool CloseServiceHandle(WinHandle handle) = 0;
  virtual WinHandle CreateFileA(const std::string& name, std::uint32_t access,
                                std::uint32_t shareMode, std::uint32_t disposition,
                                std::uint32_t attributes) = 0;
  virtual bool CloseHandle(WinHandle handle) = 0;
  virtual bool DeviceIoControl(WinHandle device, std::uint32_t code, const std::uint8_t* input,
                               std::uint32_t inputSize, std::uint8_t* output,
                               std::uint32_t outputSize, std::uint32_t& returned) = 0;
  virtual std::uint32_t GetLastError() = 0;
  virtual std::string GetSystemDirectoryA() = 0;
  virtual std::string GetCurrentDirectoryA() = 0;
  virtual bool FileExists(const std::string& path) = 0;
};

#if defined(_WIN32)
// The real calls; exists only in Windows builds.
std::unique_ptr<WinApi> makeWin32Api();
#endif

}  // namespace kalmar
