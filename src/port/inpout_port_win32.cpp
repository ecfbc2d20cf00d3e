#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>

#include "port/library_calls_win32.h"
#include "port/windows_ports.h"
#include "system/files.h"
#include "system/system_reason.h"

namespace kalmar {

namespace {

using Out32Call = void(__stdcall*)(short address, short value);
using Inp32Call = short(__stdcall*)(short address);
using DriverOpenCall = BOOL(__stdcall*)();

// The library's port calls; it installs and starts its own driver when
// loaded, and keeps it for the life of the process.
class InpoutPort final : public PortIo {
 public:
  InpoutPort(HMODULE library, Out32Call out, Inp32Call in)
      : library_(library), out_(out), in_(in) {}
  ~InpoutPort() override { FreeLibrary(library_); }
  InpoutPort(const InpoutPort&) = delete;
  InpoutPort& operator=(const InpoutPort&) = delete;

  void write(std::uint16_t address, std::uint8_t value) override {
    out_(static_cast<short>(address), static_cast<short>(value));
  }
  std::uint8_t read(std::uint16_t address) override {
    return static_cast<std::uint8_t>(in_(static_cast<short>(address)) & 0xFF);
  }

 private:
  HMODULE library_;
  Out32Call out_;
  Inp32Call in_;
};

}  // namespace

const char* portLibraryName() {
  return sizeof(void*) == 8 ? "inpoutx64.dll" : "inpout32.dll";
}

std::string portLibraryBesideProgram() {
  const std::filesystem::path directory = programDirectory();
  if (directory.empty()) return {};
  const std::filesystem::path library = directory / portLibraryName();
  std::error_code error;
  return std::filesystem::is_regular_file(library, error) ? nameOf(library) : std::string();
}

std::unique_ptr<PortIo> openPortLibrary(const std::string& path, std::string& reason) {
  const HMODULE library = LoadLibraryW(pathOf(path).c_str());
  if (library == nullptr) {
    reason = "библиотека " + std::string(portLibraryName()) +
             " не загружена: " + windowsReason(GetLastError());
    return nullptr;
  }
  const auto out = procedure<Out32Call>(library, "Out32");
  const auto in = procedure<Inp32Call>(library, "Inp32");
  const auto driverOpen = procedure<DriverOpenCall>(library, "IsInpOutDriverOpen");
  if (out == nullptr || in == nullptr) {
    FreeLibrary(library);
    reason = "в библиотеке " + std::string(portLibraryName()) + " нет функций Out32 и Inp32";
    return nullptr;
  }
  if (driverOpen != nullptr && !driverOpen()) {
    FreeLibrary(library);
    reason = "библиотека " + std::string(portLibraryName()) +
             " не запустила свой драйвер (нужны права администратора при первом запуске)";
    return nullptr;
  }
  return std::make_unique<InpoutPort>(library, out, in);
}

}  // namespace kalmar
