// libftdi1's calls the FT232R adapter uses, over a simulated FT232R with
// the simulated adapter and chip behind its pins (standin/ft232r.h). Built
// as libftdi1.so.2 and found first through LD_LIBRARY_PATH, it takes the
// real library's place. libftdi asks for 4 times the baud rate it is given
// in bit-bang mode. Reads go as libftdi1's do: transfer after transfer
// until as many answers as asked for have come or a transfer brings none,
// which it does only once the latency timer has run out.
// KALMAR_STANDIN_SERIAL names the board's serial number (KALMAR01 when
// unset).
#include <ftdi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "standin/ft232r.h"

namespace {

using kalmar::standin::Ft232r;
using kalmar::standin::nowNs;

std::unique_ptr<Ft232r> device;
std::deque<std::uint8_t> readBuffer;  // libftdi1's: brought, not yet asked for
const char* const kUnavailable = kUnavailable;

Ft232r* opened(ftdi_context* context) {
  return context != nullptr && context->usb_dev != nullptr ? device.get() : nullptr;
}

int failWith(ftdi_context* context, int code, const char* text) {
  if (context != nullptr) context->error_str = const_cast<char*>(text);
  return code;
}

}  // namespace

extern "C" {

ftdi_context* ftdi_new(void) {
  auto* context = static_cast<ftdi_context*>(std::calloc(1, sizeof(ftdi_context)));
  if (context != nullptr) context->error_str = const_cast<char*>("all fine");
  return context;
}

void ftdi_free(ftdi_context* context) {
  if (context != nullptr && context->usb_dev != nullptr) ftdi_usb_close(context);
  std::free(context);
}

int ftdi_usb_open_desc(ftdi_context* context, int vendor, int product, const char*,
                       const char* serial) {
  if (vendor != 0x0403 || product != 0x6001 || device)
    return failWith(context, -3, "device not found");
  if (serial != nullptr && Ft232r::serialNumber() != serial)
    return failWith(context, -3, "device not found");
  device = Ft232r::plugIn();
  if (!device) return failWith(context, -3, "device not found");
  readBuffer.clear();
  context->usb_dev = reinterpret_cast<libusb_device_handle*>(device.get());
  return 0;
}

int ftdi_usb_close(ftdi_context* context) {
  if (Ft232r* d = opened(context)) {
    d->close();
    device.reset();
  }
  if (context != nullptr) context->usb_dev = nullptr;
  return 0;
}

int ftdi_set_latency_timer(ftdi_context* context, unsigned char latency) {
  if (opened(context) == nullptr) return failWith(context, -3, kUnavailable);
  return latency == 0 ? failWith(context, -1, "latency out of range. Only valid for 1-255") : 0;
}

int ftdi_set_bitmode(ftdi_context* context, unsigned char bitmask, unsigned char mode) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -2, kUnavailable);
  d->setBitMode(bitmask, mode == BITMODE_SYNCBB);
  context->bitbang_enabled = mode == BITMODE_RESET ? 0 : 1;
  return 0;
}

int ftdi_disable_bitbang(ftdi_context* context) {
  return ftdi_set_bitmode(context, 0, BITMODE_RESET);
}

int ftdi_set_baudrate(ftdi_context* context, int baudrate) {
  Ft232r* d = opened(context);
  if (d == nullptr) return failWith(context, -3, kUnavailable);
  if (baudrate <= 0) return failWith(context, -1, "Silly baudrate <= 0.");
  const std::int64_t rate = static_cast<std::int64_t>(baudrate) * (context->bitbang_enabled ? 4 : 1);
  d->periodNs = 1'000'000'000 / (rate * 16);
  context->baudrate = baudrate;
  return 0;
}

int ftdi_tcioflush(ftdi_context* context) {
  Ft232r* d = opened(context);
  if (d == nullptr) return failWith(context, -3, kUnavailable);
  d->purge();
  readBuffer.clear();
  return 0;
}

int ftdi_write_data(ftdi_context* context, const unsigned char* buf, int size) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -666, kUnavailable);
  if (!d->syncBitBang) return failWith(context, -1, "stand-in: only synchronous bit-bang");
  if (!d->write({buf, static_cast<std::size_t>(size)}))
    return failWith(context, -1, "usb bulk write timed out");
  return size;
}

// ftdi_read_data as libftdi1 has it: first what an earlier transfer brought
// beyond what was asked for, then transfer after transfer until it has as
// many as were asked for or a transfer brings none.
int ftdi_read_data(ftdi_context* context, unsigned char* buf, int size) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -666, kUnavailable);
  int taken = 0;
  while (taken < size && !readBuffer.empty()) {
    buf[taken++] = readBuffer.front();
    readBuffer.pop_front();
  }
  while (taken < size) {
    const std::vector<std::uint8_t> got = d->transfer();
    if (got.empty()) break;
    const auto used = std::min(got.size(), static_cast<std::size_t>(size - taken));
    std::copy_n(got.begin(), used, buf + taken);
    readBuffer.insert(readBuffer.end(), got.begin() + static_cast<long>(used), got.end());
    taken += static_cast<int>(used);
  }
  return taken;
}

const char* ftdi_get_error_string(ftdi_context* context) {
  return context != nullptr && context->error_str != nullptr ? context->error_str : "";
}

}  // extern "C"
