// The FT232R board through libftdi1 (Linux).
#include <ftdi.h>

#include "port/ftdi_usb.h"

namespace kalmar {

namespace {

constexpr int kFtdiVendor = 0x0403;
constexpr int kFt232rProduct = 0x6001;
// AN232R-01: the bit-bang clock runs at 16 times the baud rate, and
// libftdi1 sets the divisor for 4 times the rate it is given in bit-bang
// mode: 15625 gives one byte a microsecond.
constexpr int kByteClockBaud = 15625;

// libftdi1's codes of a transfer: libusb's errors, or its own -666 for a
// device it no longer has.
std::string transferReason(int code) {
  switch (code) {
    case -666:
    case -4: return "устройство USB отключено";
    case -7: return "истекло время ожидания USB";
    case -3: return "нет доступа к устройству USB";
    default: return "ошибка USB " + std::to_string(code);
  }
}

class LibftdiUsb final : public FtdiUsb {
 public:
  explicit LibftdiUsb(ftdi_context* context) : context_(context) {}
  ~LibftdiUsb() override {
    ftdi_usb_close(context_);
    ftdi_free(context_);
  }

  bool setLatencyTimer(std::uint8_t milliseconds) override {
    return took(ftdi_set_latency_timer(context_, milliseconds));
  }
  bool startSyncBitBang(std::uint8_t outputs) override {
    return took(ftdi_set_bitmode(context_, outputs, BITMODE_SYNCBB));
  }
  bool leaveBitBang() override { return took(ftdi_disable_bitbang(context_)); }
  bool setByteClock() override { return took(ftdi_set_baudrate(context_, kByteClockBaud)); }
  bool purge() override { return took(ftdi_tcioflush(context_)); }
  bool write(std::span<const std::uint8_t> bytes) override {
    const auto size = static_cast<int>(bytes.size());
    return took(ftdi_write_data(context_, bytes.data(), size), size);
  }
  // libftdi1 reads on until it has as many as it is asked for or a
  // transfer brings none, which it does once the latency timer runs out.
  int read(std::span<std::uint8_t> buffer) override {
    const int got = ftdi_read_data(context_, buffer.data(), static_cast<int>(buffer.size()));
    took(got);
    return got;
  }
  std::string errorText() const override { return error_; }

 private:
  // True for a call that returned `expected` (0 or more when it is -1).
  bool took(int code, int expected = -1) {
    if (expected < 0 ? code >= 0 : code == expected) return true;
    error_ = code < 0 ? transferReason(code) : "передано не всё";
    return false;
  }

  ftdi_context* context_;
  std::string error_;
};

// The FT232R's reason in the program's words.
std::string openFailure(int code, const std::string& serial) {
  if (code == -3)
    return serial.empty() ? "не подключено ни одного FT232R (USB 0403:6001)"
                          : "не подключён FT232R с серийным номером " + serial;
  if (code == -4 || code == -5 || code == -8)
    return "нет доступа к устройству USB 0403:6001 или оно занято другой программой";
  return "ошибка USB при открытии FT232R";
}

}  // namespace

FtdiUsbOpened openFtdiUsb(const std::string& serial) {
  FtdiUsbOpened result;
  result.need = "Нужны плата FT232R на USB и право доступа к ней (правило udev для 0403:6001).";
  ftdi_context* context = ftdi_new();
  if (context == nullptr) {
    result.reason = "libftdi1 не запустилась";
    return result;
  }
  const int code = ftdi_usb_open_desc(context, kFtdiVendor, kFt232rProduct, nullptr,
                                      serial.empty() ? nullptr : serial.c_str());
  if (code < 0) {
    ftdi_free(context);
    result.reason = openFailure(code, serial);
    return result;
  }
  result.usb = std::make_unique<LibftdiUsb>(context);
  return result;
}

}  // namespace kalmar
