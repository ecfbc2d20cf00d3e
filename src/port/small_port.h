#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "port/port_io.h"
#include "port/win_api.h"

namespace kalmar {

// Front end to the Windows NT port driver: installs and starts its service
// for the run, opens the device once, and turns every port access into one
// buffered I/O control request. It never reports to the user; failures are
// kept in lastError() and show up as lost writes and reads of 0.
class TSmallPort final : public PortIo {
 public:
  // Classification of the running Windows (see systemKindFrom).
  static constexpr int kWin32s = 1, kWindows95 = 2, kWindows98 = 3, kWindowsNt4 = 4,
                       kWindows2000 = 5, kWindowsMe = 6, kUnknownSystem = 0;
  static constexpr std::uint32_t kReadByteCode = 0xF1006404;   // type F100h, access 1, func 901h
  static constexpr std::uint32_t kWriteByteCode = 0xF100A408;  // type F100h, access 2, func 902h
  static constexpr std::uint32_t kErrorInvalidHandle = 6;
  static constexpr std::uint32_t kErrorServiceExists = 1073;
  static constexpr std::uint32_t kErrorServiceRunning = 1056;

  explicit TSmallPort(WinApi& api);
  ~TSmallPort() override;  // Destroy
  TSmallPort(const TSmallPort&) = delete;
  TSmallPort& operator=(const TSmallPort&) = delete;

  static int systemKindFrom(const WinVersionInfo& version);
  static std::uint32_t controlCode(std::uint32_t function, std::uint32_t access);

  bool Opened() const { return handle_ != kInvalidHandleValue; }
  void setOpened(bool open);
  WinHandle DriverHandle() const { return handle_; }

  int systemKind() const { return systemKind_; }
  bool usesDriver() const { return systemKind_ == kWindowsNt4 || systemKind_ == kWindows2000; }
  std::uint32_t readCode() const { return readCode_; }
  std::uint32_t writeCode() const { return writeCode_; }
  std::uint32_t lastError() const { return lastError_; }
  bool deleteOnClose() const { return deleteOnClose_; }
  bool stopOnClose() const { return stopOnClose_; }
  const std::string& serviceName() const { return serviceName_; }

  std::uint8_t readByte(std::uint16_t address);
  void writeByte(std::uint16_t address, std::uint8_t value);

  void write(std::uint16_t address, std::uint8_t value) override { writeByte(address, value); }
  std::uint8_t read(std::uint16_t address) override { return readByte(address); }

 private:
  void open();
  void close();
  bool openServiceManager();
  void closeServiceManager();
  bool installService();
  void startService();
  void stopAndDeleteService();
  void recordError() { lastError_ = api_.GetLastError(); }

  WinApi& api_;
  WinHandle handle_ = kInvalidHandleValue;
  WinHandle manager_ = 0;
  std::string serviceName_ = "Smport";
  bool deleteOnClose_ = true;
  bool stopOnClose_ = true;
  int systemKind_ = kUnknownSystem;
  std::uint32_t readCode_ = 0;
  std::uint32_t writeCode_ = 0;
  std::uint32_t lastError_ = 0;
  std::array<std::uint8_t, 4> writeRequest_{};
};

}  // namespace kalmar
