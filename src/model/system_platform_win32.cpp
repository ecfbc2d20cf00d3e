#include <windows.h>

#include <cstdio>
#include <filesystem>

#include "model/platform.h"
#include "system/files.h"

namespace kalmar {

namespace {

class WindowsPlatform final : public Platform {
 public:
  std::int64_t timeOfDayMs() override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return ((now.wHour * 60LL + now.wMinute) * 60 + now.wSecond) * 1000 + now.wMilliseconds;
  }

  std::string dateTimeText() override {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    char text[64];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u  %02u:%02u:%02u", now.wDay, now.wMonth,
                  now.wYear, now.wHour, now.wMinute, now.wSecond);
    return text;
  }

  // The real-time class keeps the bit timing steady where the user may
  // have it; otherwise the system gives the highest class it allows.
  void setPriorityClass(PriorityClass priority) override {
    ::SetPriorityClass(GetCurrentProcess(), priority == PriorityClass::RealTime
                                                ? REALTIME_PRIORITY_CLASS
                                                : NORMAL_PRIORITY_CLASS);
  }

  bool fileExists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesW(pathOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  std::string currentDirectory() override {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? std::string(".") : nameOf(path);
  }

  // The NT family (NT 4, 2000, XP and every later Windows) reaches the port
  // through the driver; Windows 95/98/ME by port instructions.
  SystemKind systemKind() override {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return SystemKind::Other;
#pragma GCC diagnostic pop
    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) return SystemKind::WindowsNt;
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) return SystemKind::Windows9x;
    return SystemKind::Other;
  }
};

}  // namespace

std::unique_ptr<Platform> makeSystemPlatform() {
  return std::make_unique<WindowsPlatform>();
}

}  // namespace kalmar
