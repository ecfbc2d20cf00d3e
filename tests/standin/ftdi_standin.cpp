// libftdi1's calls the FT232R adapter uses, over a simulated FT232R with
// the simulated adapter and chip behind its pins. Built as libftdi1.so.2
// and found first through LD_LIBRARY_PATH, it takes the real library's
// place. What the board does, as FTDI documents it (AN232R-01, the FT232R
// datasheet): in synchronous bit-bang mode each byte from the host stands
// on the pins for one period of the bit-bang clock (16 times the baud rate
// the divisor gives; libftdi asks for 4 times the rate it is given), and
// the pins are read just before each byte is written, one answer a byte;
// the board buffers 128 bytes from the host and 256 for it, and stops the
// pins while the latter is full. The USB (AN232B-04): a write arrives a
// quarter of a millisecond after it is sent; answers go to the host in
// packets of 62, a tenth of a millisecond after a packet fills, or when the
// latency timer (1 ms) runs out on a part-filled one, so a single answer
// takes a round trip of about a millisecond and long reads stream. Reads
// go as libftdi1's do: transfer after transfer until as many answers as
// asked for have come or a transfer brings none, which it does only once
// the latency timer has run out.
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

#include "standin/standin_board.h"

namespace {

using kalmar::standin::Board;
using kalmar::standin::nowNs;
using kalmar::standin::sleepUntilNs;

constexpr std::int64_t kOutLatencyNs = 250'000;
constexpr std::int64_t kLatencyTimerNs = 1'000'000;
constexpr std::int64_t kPacketNs = 100'000;
constexpr std::size_t kPacketAnswers = 62;
constexpr std::int64_t kReadWaitNs = kLatencyTimerNs;  // an empty read returns after a latency period
constexpr std::size_t kFromHostBuffer = 128;
constexpr std::size_t kForHostBuffer = 256;

struct Byte {
  std::uint8_t value;
  std::int64_t arrivalNs;
};

struct Answer {
  std::uint8_t value;
  std::int64_t readyNs;
};

// The board: bytes on their way to the pins, answers on their way back.
struct Ft232r {
  std::unique_ptr<Board> board;
  std::deque<Byte> toPins;
  std::deque<Answer> answers;
  std::deque<std::uint8_t> readBuffer;  // libftdi1's: brought, not yet asked for
  std::uint8_t latch = 0xFF;
  std::uint8_t outputs = 0;  // the bit-bang direction mask
  bool syncBitBang = false;
  int requested = -1;  // the line byte when the outputs were taken
  int released = -1;   // and when bit-bang was left
  std::int64_t periodNs = 1000;
  std::int64_t pinsFreeNs = 0;     // when the last byte's period ends
  std::size_t packetFill = 0;  // answers in the packet being filled
  std::int64_t packetOpenNs = 0;
  bool stopped = false;       // the buffer for the host was full
  std::int64_t restartNs = 0;  // when the host last made room after a stop
  std::string error = "all fine";

  // Plays every byte that has arrived and whose turn has come by `now`.
  void advance(std::int64_t now) {
    while (!toPins.empty() && playNext(now)) {
    }
  }

  // Plays the next byte if its turn has come by `now`; false when it has
  // not, or when the buffer for the host is full.
  bool playNext(std::int64_t now) {
    if (answers.size() >= kForHostBuffer) {
      stopped = true;  // until the host reads
      return false;
    }
    const std::int64_t start = std::max({toPins.front().arrivalNs, pinsFreeNs, restartNs});
    if (start > now) return false;
    answer(static_cast<std::uint8_t>(board->pins(start)), start);
    drive(toPins.front().value, start);
    pinsFreeNs = start + periodNs;
    toPins.pop_front();
    return true;
  }

  // An answer goes out with its packet: when the packet fills, or when the
  // latency timer runs out on it.
  void answer(std::uint8_t pins, std::int64_t timeNs) {
    if (packetFill > 0 && timeNs >= packetOpenNs + kLatencyTimerNs) packetFill = 0;  // went out
    if (packetFill == 0) packetOpenNs = timeNs;
    answers.push_back({pins, packetOpenNs + kLatencyTimerNs});
    if (++packetFill < kPacketAnswers) return;
    for (std::size_t k = 0; k < packetFill && k < answers.size(); ++k)
      answers[answers.size() - 1 - k].readyNs = timeNs + kPacketNs;
    packetFill = 0;
  }

  void drive(std::uint8_t value, std::int64_t timeNs) {
    latch = value;
    board->setOutputs(static_cast<std::uint8_t>((value & outputs) | ~outputs), timeNs);
  }

  // One bulk transfer: the answers that have reached the host when it
  // ends, none when the latency timer runs out on an empty buffer.
  std::vector<std::uint8_t> transfer() {
    const std::int64_t start = nowNs();
    advance(start);
    if (answers.empty() || answers.front().readyNs > start) {
      const std::int64_t ready = answers.empty() ? start + kReadWaitNs : answers.front().readyNs;
      sleepUntilNs(std::min(ready, start + kReadWaitNs));
    }
    const std::int64_t now = nowNs();
    std::vector<std::uint8_t> got;
    while (!answers.empty() && answers.front().readyNs <= now) {
      got.push_back(answers.front().value);
      answers.pop_front();
    }
    if (!got.empty() && stopped) {
      stopped = false;
      restartNs = now;
    }
    advance(now);
    return got;
  }

  bool gone() {
    if (!board || board->transferUnplugs()) {
      error = "USB device unavailable";
      return true;
    }
    return false;
  }
};

std::unique_ptr<Ft232r> device;

Ft232r* opened(ftdi_context* context) {
  return context != nullptr && context->usb_dev != nullptr ? device.get() : nullptr;
}

int failWith(ftdi_context* context, int code, const char* text) {
  if (context != nullptr) context->error_str = const_cast<char*>(text);
  return code;
}

std::string serialNumber() {
  const char* serial = std::getenv("KALMAR_STANDIN_SERIAL");
  return serial != nullptr ? serial : "KALMAR01";
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
  if (serial != nullptr && serialNumber() != serial) return failWith(context, -3, "device not found");
  auto board = Board::fromEnvironment(kalmar::AdapterPins{{0, 1, 2, 4, 3}}, true);
  if (!board) return failWith(context, -3, "device not found");
  device = std::make_unique<Ft232r>();
  device->board = std::move(board);
  context->usb_dev = reinterpret_cast<libusb_device_handle*>(device.get());
  return 0;
}

int ftdi_usb_close(ftdi_context* context) {
  if (Ft232r* d = opened(context)) {
    d->advance(nowNs() + 1'000'000'000);
    d->board->close();
    if (d->requested >= 0) {
      if (d->released < 0) d->released = d->board->lineByte(d->latch & d->outputs);
      d->board->reportLines(static_cast<std::uint8_t>(d->requested),
                            static_cast<std::uint8_t>(d->released));
    }
    device.reset();
  }
  if (context != nullptr) context->usb_dev = nullptr;
  return 0;
}

int ftdi_set_latency_timer(ftdi_context* context, unsigned char latency) {
  if (opened(context) == nullptr) return failWith(context, -3, "USB device unavailable");
  return latency == 0 ? failWith(context, -1, "latency out of range. Only valid for 1-255") : 0;
}

int ftdi_set_bitmode(ftdi_context* context, unsigned char bitmask, unsigned char mode) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -2, "USB device unavailable");
  d->advance(nowNs());
  if (bitmask == 0 && d->outputs != 0) d->released = d->board->lineByte(d->latch & d->outputs);
  d->outputs = bitmask;
  d->syncBitBang = mode == BITMODE_SYNCBB;
  context->bitbang_enabled = mode == BITMODE_RESET ? 0 : 1;
  d->drive(d->latch, std::max(nowNs(), d->pinsFreeNs));
  if (bitmask != 0 && d->requested < 0) d->requested = d->board->lineByte(d->latch & bitmask);
  return 0;
}

int ftdi_disable_bitbang(ftdi_context* context) {
  return ftdi_set_bitmode(context, 0, BITMODE_RESET);
}

int ftdi_set_baudrate(ftdi_context* context, int baudrate) {
  Ft232r* d = opened(context);
  if (d == nullptr) return failWith(context, -3, "USB device unavailable");
  if (baudrate <= 0) return failWith(context, -1, "Silly baudrate <= 0.");
  const std::int64_t rate = static_cast<std::int64_t>(baudrate) * (context->bitbang_enabled ? 4 : 1);
  d->periodNs = 1'000'000'000 / (rate * 16);
  context->baudrate = baudrate;
  return 0;
}

int ftdi_tcioflush(ftdi_context* context) {
  Ft232r* d = opened(context);
  if (d == nullptr) return failWith(context, -3, "USB device unavailable");
  d->advance(nowNs());
  d->toPins.clear();
  d->answers.clear();
  d->readBuffer.clear();
  d->packetFill = 0;
  return 0;
}

// Blocks until the board has taken every byte into its buffer from the
// host: a quarter of a millisecond, or until enough bytes have gone to the
// pins to make room for the last (nothing the host does meanwhile changes
// what the pins do, so that is played ahead).
int ftdi_write_data(ftdi_context* context, const unsigned char* buf, int size) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -666, "USB device unavailable");
  if (!d->syncBitBang) return failWith(context, -1, "stand-in: only synchronous bit-bang");
  const std::int64_t now = nowNs();
  d->advance(now);
  const std::int64_t arrival = now + kOutLatencyNs;
  for (int i = 0; i < size; ++i) d->toPins.push_back({buf[i], arrival});
  std::int64_t done = arrival;
  while (d->toPins.size() > kFromHostBuffer) {
    if (!d->playNext(INT64_MAX)) return failWith(context, -1, "usb bulk write timed out");
    done = std::max(done, d->pinsFreeNs - d->periodNs);
  }
  sleepUntilNs(done);
  return size;
}

// ftdi_read_data as libftdi1 has it: first what an earlier transfer brought
// beyond what was asked for, then transfer after transfer until it has as
// many as were asked for or a transfer brings none.
int ftdi_read_data(ftdi_context* context, unsigned char* buf, int size) {
  Ft232r* d = opened(context);
  if (d == nullptr || d->gone()) return failWith(context, -666, "USB device unavailable");
  int taken = 0;
  while (taken < size && !d->readBuffer.empty()) {
    buf[taken++] = d->readBuffer.front();
    d->readBuffer.pop_front();
  }
  while (taken < size) {
    const std::vector<std::uint8_t> got = d->transfer();
    if (got.empty()) break;
    const auto used = std::min(got.size(), static_cast<std::size_t>(size - taken));
    std::copy_n(got.begin(), used, buf + taken);
    d->readBuffer.insert(d->readBuffer.end(), got.begin() + static_cast<long>(used), got.end());
    taken += static_cast<int>(used);
  }
  return taken;
}

const char* ftdi_get_error_string(ftdi_context* context) {
  return context != nullptr && context->error_str != nullptr ? context->error_str : "";
}

}  // extern "C"
