// The FT232R board through FTDI's own driver on Windows: its D2XX library,
// ftd2xx.dll, which Windows installs with the driver when the board is first
// plugged in. It is loaded when the adapter is asked for, never imported, so
// the program starts where no FTDI driver is installed.
#include <windows.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>

#include "port/ftdi_usb.h"
#include "port/library_calls_win32.h"

namespace kalmar {

namespace {

// D2XX's types and calls as its programmer's guide gives them.
using FtHandle = void*;
using FtStatus = ULONG;
constexpr FtStatus kFtOk = 0;
constexpr FtStatus kFtDeviceNotFound = 2;
constexpr FtStatus kFtDeviceNotOpened = 3;
constexpr DWORD kFlagOpened = 1;            // FT_FLAGS_OPENED: another program has it
constexpr DWORD kDevice232R = 5;            // FT_DEVICE_232R
constexpr DWORD kOpenBySerialNumber = 1;    // FT_OPEN_BY_SERIAL_NUMBER
constexpr ULONG kPurgeBoth = 1 | 2;         // FT_PURGE_RX | FT_PURGE_TX
constexpr UCHAR kModeReset = 0x00;
constexpr UCHAR kModeSyncBitBang = 0x04;
// AN232R-01: the bit-bang clock runs at 16 times the baud rate; D2XX sets
// the divisor for the rate it is given: 62500 gives one byte a microsecond.
constexpr ULONG kByteClockBaud = 62500;
// A read waits this long for answers that are due (they come within a
// latency period); a write, for the board to take its bytes.
constexpr ULONG kReadTimeoutMs = 20;
constexpr ULONG kWriteTimeoutMs = 1000;
constexpr const wchar_t* kLibrary = L"ftd2xx.dll";

using CreateDeviceInfoList = FtStatus(WINAPI*)(DWORD*);
using GetDeviceInfoDetail = FtStatus(WINAPI*)(DWORD, DWORD*, DWORD*, DWORD*, DWORD*, void*, void*,
                                              FtHandle*);
using Open = FtStatus(WINAPI*)(int, FtHandle*);
using OpenEx = FtStatus(WINAPI*)(void*, DWORD, FtHandle*);
using Close = FtStatus(WINAPI*)(FtHandle);
using SetLatencyTimer = FtStatus(WINAPI*)(FtHandle, UCHAR);
using SetBitMode = FtStatus(WINAPI*)(FtHandle, UCHAR, UCHAR);
using SetBaudRate = FtStatus(WINAPI*)(FtHandle, ULONG);
using Purge = FtStatus(WINAPI*)(FtHandle, ULONG);
using SetTimeouts = FtStatus(WINAPI*)(FtHandle, ULONG, ULONG);
using Transfer = FtStatus(WINAPI*)(FtHandle, void*, DWORD, DWORD*);

// The library beside the program (where a stand-in or a copy of FTDI's
// goes), else the system's own; never from the current folder.
HMODULE loadLibrary() {
  if (const std::filesystem::path beside = programDirectory(); !beside.empty())
    if (const HMODULE library = LoadLibraryW((beside / kLibrary).c_str())) return library;
  std::wstring system(MAX_PATH, L'\0');
  const UINT length = GetSystemDirectoryW(system.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  system.resize(length);
  return LoadLibraryW((std::filesystem::path(system) / kLibrary).c_str());
}

// The library's calls; a library without one of them is not used.
struct D2xx {
  HMODULE library = nullptr;
  CreateDeviceInfoList createDeviceInfoList = nullptr;
  GetDeviceInfoDetail getDeviceInfoDetail = nullptr;
  Open open = nullptr;
  OpenEx openEx = nullptr;
  Close close = nullptr;
  SetLatencyTimer setLatencyTimer = nullptr;
  SetBitMode setBitMode = nullptr;
  SetBaudRate setBaudRate = nullptr;
  Purge purge = nullptr;
  SetTimeouts setTimeouts = nullptr;
  Transfer write = nullptr;
  Transfer read = nullptr;

  bool load(HMODULE from) {
    library = from;
    createDeviceInfoList = procedure<CreateDeviceInfoList>(from, "FT_CreateDeviceInfoList");
    getDeviceInfoDetail = procedure<GetDeviceInfoDetail>(from, "FT_GetDeviceInfoDetail");
    open = procedure<Open>(from, "FT_Open");
    openEx = procedure<OpenEx>(from, "FT_OpenEx");
    close = procedure<Close>(from, "FT_Close");
    setLatencyTimer = procedure<SetLatencyTimer>(from, "FT_SetLatencyTimer");
    setBitMode = procedure<SetBitMode>(from, "FT_SetBitMode");
    setBaudRate = procedure<SetBaudRate>(from, "FT_SetBaudRate");
    purge = procedure<Purge>(from, "FT_Purge");
    setTimeouts = procedure<SetTimeouts>(from, "FT_SetTimeouts");
    write = procedure<Transfer>(from, "FT_Write");
    read = procedure<Transfer>(from, "FT_Read");
    return createDeviceInfoList && getDeviceInfoDetail && open && openEx && close &&
           setLatencyTimer && setBitMode && setBaudRate && purge && setTimeouts && write && read;
  }
};

// D2XX's status in the program's words.
std::string statusText(FtStatus status) {
  switch (status) {
    case 1: return "неверный дескриптор устройства";
    case kFtDeviceNotFound: return "устройство не найдено";
    case kFtDeviceNotOpened: return "устройство не открыто";
    case 4: return "ошибка ввода-вывода USB";
    case 5: return "не хватает ресурсов";
    case 6: return "неверный параметр";
    case 7: return "неверная скорость";
    default: return "ошибка драйвера FTDI " + std::to_string(status);
  }
}

class D2xxUsb final : public FtdiUsb {
 public:
  D2xxUsb(const D2xx& calls, FtHandle handle) : d2xx_(calls), handle_(handle) {}
  ~D2xxUsb() override {
    d2xx_.close(handle_);
    FreeLibrary(d2xx_.library);
  }

  // D2XX takes 2 to 255 ms.
  bool setLatencyTimer(std::uint8_t milliseconds) override {
    return took(d2xx_.setLatencyTimer(handle_, std::max<std::uint8_t>(milliseconds, 2)));
  }
  bool startSyncBitBang(std::uint8_t outputs) override {
    return took(d2xx_.setBitMode(handle_, outputs, kModeSyncBitBang));
  }
  bool leaveBitBang() override { return took(d2xx_.setBitMode(handle_, 0, kModeReset)); }
  bool setByteClock() override {
    return took(d2xx_.setTimeouts(handle_, kReadTimeoutMs, kWriteTimeoutMs)) &&
           took(d2xx_.setBaudRate(handle_, kByteClockBaud));
  }
  bool purge() override { return took(d2xx_.purge(handle_, kPurgeBoth)); }
  bool write(std::span<const std::uint8_t> bytes) override {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(bytes.size());
    if (!took(d2xx_.write(handle_, const_cast<std::uint8_t*>(bytes.data()), size, &written)))
      return false;
    if (written == size) return true;
    error_ = "плата приняла не все байты";
    return false;
  }
  // FT_Read waits until it has as many as it is asked for or its timeout
  // has run out.
  int read(std::span<std::uint8_t> buffer) override {
    DWORD got = 0;
    if (!took(d2xx_.read(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), &got)))
      return -1;
    return static_cast<int>(got);
  }
  std::string errorText() const override { return error_; }

 private:
  bool took(FtStatus status) {
    if (status == kFtOk) return true;
    error_ = statusText(status);
    return false;
  }

  D2xx d2xx_;
  FtHandle handle_;
  std::string error_;
};

struct Found {
  int index = -1;     // the board to open
  bool busy = false;  // an FT232R that fits, opened by another program
};

// The FT232R to open: the first free one, or the one with the serial number.
Found findBoard(const D2xx& d2xx, const std::string& serial) {
  Found found;
  DWORD count = 0;
  if (d2xx.createDeviceInfoList(&count) != kFtOk) return found;
  for (DWORD index = 0; index < count; ++index) {
    DWORD flags = 0, type = 0, id = 0, location = 0;
    std::array<char, 64> number{};
    std::array<char, 128> description{};
    FtHandle ignored = nullptr;
    if (d2xx.getDeviceInfoDetail(index, &flags, &type, &id, &location, number.data(),
                                 description.data(), &ignored) != kFtOk)
      continue;
    number.back() = '\0';
    if (type != kDevice232R || (!serial.empty() && serial != number.data())) continue;
    if ((flags & kFlagOpened) != 0) {
      found.busy = true;
      continue;
    }
    found.index = static_cast<int>(index);
    return found;
  }
  return found;
}

std::string notFound(const std::string& serial, bool busy) {
  if (busy) return "FT232R занят другой программой";
  return serial.empty() ? "не подключено ни одного FT232R (USB 0403:6001)"
                        : "не подключён FT232R с серийным номером " + serial;
}

FtStatus openBoard(const D2xx& d2xx, const std::string& serial, int index, FtHandle& handle) {
  if (serial.empty()) return d2xx.open(index, &handle);
  std::string number = serial;
  return d2xx.openEx(number.data(), kOpenBySerialNumber, &handle);
}

}  // namespace

FtdiUsbOpened openFtdiUsb(const std::string& serial) {
  FtdiUsbOpened result;
  result.need =
      "Нужны плата FT232R на USB и драйвер FTDI с его библиотекой ftd2xx.dll: Windows ставит "
      "его сам при первом подключении платы, иначе его можно взять на сайте ftdichip.com.";
  const HMODULE library = loadLibrary();
  if (library == nullptr) {
    result.reason = "не установлен драйвер FTDI (нет библиотеки ftd2xx.dll)";
    return result;
  }
  D2xx d2xx;
  if (!d2xx.load(library)) {
    FreeLibrary(library);
    result.reason = "в библиотеке ftd2xx.dll нет нужных функций D2XX";
    return result;
  }
  const Found found = findBoard(d2xx, serial);
  FtHandle handle = nullptr;
  const FtStatus status =
      found.index < 0 ? kFtDeviceNotFound : openBoard(d2xx, serial, found.index, handle);
  if (status != kFtOk) {
    FreeLibrary(library);
    result.reason = found.index < 0 ? notFound(serial, found.busy)
                                    : "FT232R не открылся (" + statusText(status) +
                                          "): он отключён или занят другой программой";
    return result;
  }
  result.usb = std::make_unique<D2xxUsb>(d2xx, handle);
  return result;
}

}  // namespace kalmar
