// FTDI's D2XX calls the FT232R adapter uses on Windows, over a simulated
// FT232R with the simulated adapter and chip behind its pins
// (standin/ft232r.h). Built as ftd2xx.dll and put beside the program, it
// is found before the system's. As D2XX's programmer's guide has it: the
// bit-bang clock is 16 times the baud rate given; the latency timer takes
// 2 to 255 ms; FT_Read waits until it has as many bytes as asked for or
// its read timeout runs out, and what the board sent beyond that waits in
// the driver's buffer (FT_GetQueueStatus counts it).
// KALMAR_STANDIN_SERIAL names the board's serial number (KALMAR01 when
// unset); KALMAR_STANDIN_BUSY, when set, has another program hold it.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>

#include "standin/ft232r.h"

namespace {

using kalmar::standin::Ft232r;
using kalmar::standin::nowNs;

using FtStatus = ULONG;
constexpr FtStatus kOk = 0;
constexpr FtStatus kInvalidHandle = 1;
constexpr FtStatus kDeviceNotFound = 2;
constexpr FtStatus kDeviceNotOpened = 3;
constexpr FtStatus kIoError = 4;
constexpr FtStatus kInvalidParameter = 6;
constexpr DWORD kDevice232R = 5;
constexpr DWORD kFt232rId = 0x04036001;
constexpr DWORD kOpenBySerialNumber = 1;
constexpr UCHAR kModeSyncBitBang = 0x04;
constexpr std::int64_t kLongestWaitNs = 5'000'000'000;  // a read timeout of 0 waits for ever

std::unique_ptr<Ft232r> device;
std::deque<std::uint8_t> driverBuffer;  // brought by the USB, not yet read
std::int64_t readTimeoutNs = kLongestWaitNs;

bool plugged() {
  const char* chip = std::getenv("KALMAR_STANDIN_CHIP");
  return chip != nullptr && *chip != '\0';
}

bool busy() {
  return std::getenv("KALMAR_STANDIN_BUSY") != nullptr;
}

Ft232r* opened(void* handle) {
  return handle != nullptr && handle == device.get() ? device.get() : nullptr;
}

FtStatus plugIn(void** handle) {
  if (!plugged()) return kDeviceNotFound;
  if (busy() || device) return kDeviceNotOpened;
  device = Ft232r::plugIn();
  if (!device) return kDeviceNotFound;
  driverBuffer.clear();
  readTimeoutNs = kLongestWaitNs;
  *handle = device.get();
  return kOk;
}

void copyText(void* to, const std::string& text, std::size_t size) {
  if (to == nullptr) return;
  auto* out = static_cast<char*>(to);
  const std::size_t length = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

}  // namespace

extern "C" {

__declspec(dllexport) FtStatus WINAPI FT_CreateDeviceInfoList(DWORD* count) {
  if (count == nullptr) return kInvalidParameter;
  *count = plugged() ? 1 : 0;
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_GetDeviceInfoDetail(DWORD index, DWORD* flags,
                                                             DWORD* type, DWORD* id,
                                                             DWORD* location, void* serial,
                                                             void* description, void** handle) {
  if (index != 0 || !plugged()) return kDeviceNotFound;
  if (flags != nullptr) *flags = busy() || device ? 1 : 0;
  if (type != nullptr) *type = kDevice232R;
  if (id != nullptr) *id = kFt232rId;
  if (location != nullptr) *location = 0x11;
  copyText(serial, Ft232r::serialNumber(), 16);
  copyText(description, "FT232R USB UART", 64);
  if (handle != nullptr) *handle = device.get();
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_Open(int index, void** handle) {
  if (handle == nullptr) return kInvalidParameter;
  return index == 0 ? plugIn(handle) : kDeviceNotFound;
}

__declspec(dllexport) FtStatus WINAPI FT_OpenEx(void* argument, DWORD flags, void** handle) {
  if (handle == nullptr || argument == nullptr) return kInvalidParameter;
  if (flags != kOpenBySerialNumber) return kDeviceNotFound;
  if (Ft232r::serialNumber() != static_cast<const char*>(argument)) return kDeviceNotFound;
  return plugIn(handle);
}

__declspec(dllexport) FtStatus WINAPI FT_Close(void* handle) {
  Ft232r* d = opened(handle);
  if (d == nullptr) return kInvalidHandle;
  d->close();
  device.reset();
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_SetLatencyTimer(void* handle, UCHAR latency) {
  if (opened(handle) == nullptr) return kInvalidHandle;
  return latency < 2 ? kInvalidParameter : kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_SetTimeouts(void* handle, ULONG readMs, ULONG) {
  if (opened(handle) == nullptr) return kInvalidHandle;
  readTimeoutNs = readMs == 0 ? kLongestWaitNs : static_cast<std::int64_t>(readMs) * 1'000'000;
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_SetBitMode(void* handle, UCHAR mask, UCHAR mode) {
  Ft232r* d = opened(handle);
  if (d == nullptr) return kInvalidHandle;
  if (d->gone()) return kIoError;
  d->setBitMode(mode == 0 ? 0 : mask, mode == kModeSyncBitBang);
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_SetBaudRate(void* handle, ULONG baud) {
  Ft232r* d = opened(handle);
  if (d == nullptr) return kInvalidHandle;
  if (baud == 0) return 7;  // FT_INVALID_BAUD_RATE
  d->periodNs = 1'000'000'000 / (static_cast<std::int64_t>(baud) * 16);
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_Purge(void* handle, ULONG) {
  Ft232r* d = opened(handle);
  if (d == nullptr) return kInvalidHandle;
  d->purge();
  driverBuffer.clear();
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_GetQueueStatus(void* handle, DWORD* bytes) {
  Ft232r* d = opened(handle);
  if (d == nullptr || bytes == nullptr) return kInvalidHandle;
  *bytes = static_cast<DWORD>(driverBuffer.size() + d->answersArrived());
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_Write(void* handle, void* buffer, DWORD size,
                                               DWORD* written) {
  Ft232r* d = opened(handle);
  if (d == nullptr || written == nullptr) return kInvalidHandle;
  *written = 0;
  if (d->gone()) return kIoError;
  if (!d->syncBitBang) return kIoError;  // the stand-in knows only synchronous bit-bang
  if (!d->write({static_cast<const std::uint8_t*>(buffer), size})) return kIoError;
  *written = size;
  return kOk;
}

__declspec(dllexport) FtStatus WINAPI FT_Read(void* handle, void* buffer, DWORD size,
                                              DWORD* got) {
  Ft232r* d = opened(handle);
  if (d == nullptr || got == nullptr) return kInvalidHandle;
  *got = 0;
  if (d->gone()) return kIoError;
  const std::int64_t end = nowNs() + readTimeoutNs;
  while (driverBuffer.size() < size && nowNs() < end) {
    const auto brought = d->transfer();
    driverBuffer.insert(driverBuffer.end(), brought.begin(), brought.end());
  }
  auto* out = static_cast<std::uint8_t*>(buffer);
  while (*got < size && !driverBuffer.empty()) {
    out[(*got)++] = driverBuffer.front();
    driverBuffer.pop_front();
  }
  return kOk;
}

}  // extern "C"
