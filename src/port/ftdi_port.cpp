#include "port/ftdi_port.h"

#include <algorithm>
#include <array>
#include <chrono>

#include "port/ftdi_stream.h"
#include "port/ftdi_usb.h"

namespace kalmar {

namespace {

constexpr unsigned char kLatencyMs = 1;
constexpr std::size_t kReadChunk = 512;
// No echo for this long: the board has gone.
constexpr std::int64_t kEchoTimeoutNs = 1'000'000'000;
// A read that may block for a latency period is started only this long
// before a hold's end.
constexpr std::int64_t kDrainMarginNs = 2'000'000;

std::int64_t monotonicNs() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t countsToNs(std::int64_t counts, FramePace& pace) {
  return static_cast<std::int64_t>(static_cast<double>(counts) * 1e9 /
                                   static_cast<double>(pace.frequency()));
}

std::int64_t nsToCounts(std::int64_t ns, FramePace& pace) {
  return static_cast<std::int64_t>(static_cast<double>(ns) * static_cast<double>(pace.frequency()) /
                                   1e9) +
         1;
}

// The FT232R in synchronous bit-bang mode. Every byte written stands on the
// pins for one period of the bit-bang clock, and the board answers each
// with the pins as they were just before it was written: the sample of a
// state is the answer to the byte after it. Frames without samples are
// sent without waiting for their answers; a hold measures from the latest
// moment the bytes written can have finished (the board plays them no
// sooner than they arrive, and never stalls: no more than its buffer for
// the host holds is ever unanswered), so a wait needs no USB traffic.
class FtdiPort final : public PortIo {
 public:
  FtdiPort(std::unique_ptr<FtdiUsb> usb, const AdapterPins& pins,
           std::function<void(const std::string&)> onFailure)
      : usb_(std::move(usb)), stream_(pins), onFailure_(std::move(onFailure)) {}
  ~FtdiPort() override;

  void write(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t read(std::uint16_t address) override;
  void runFrame(const LineFrame& frame, FramePace& pace, std::span<std::uint8_t> statuses) override;
  void hold(std::int64_t counts, FramePace& pace) override;
  void queueFrame(const LineFrame& frame, FramePace& pace,
                  std::span<std::uint8_t> statuses) override;
  void settle(FramePace& pace) override;
  bool queuesFrames() const override { return true; }

 private:
  std::uint64_t queue(const LineFrame& frame, FramePace& pace, std::span<std::uint8_t> statuses);
  bool send(std::size_t limit = FtdiStream::kUnansweredNeverStops);
  bool sendChunk(std::span<const std::uint8_t> bytes);
  bool awaitAnswers(std::uint64_t count);
  void boundPlayed();
  bool takeAnswers(std::uint64_t wanted);
  void drainUntil(std::int64_t endNs);
  void fail(const std::string& what);

  std::unique_ptr<FtdiUsb> usb_;
  FtdiStream stream_;
  std::function<void(const std::string&)> onFailure_;
  std::int64_t playedByNs_ = 0;  // the latest the bytes written can finish
  bool mayHaveStopped_ = false;  // more was sent than the board answers without stopping
  bool dead_ = false;
};

FtdiPort::~FtdiPort() {
  if (!dead_) {
    stream_.queueState(kAdapterIdle, 1);
    if (send()) awaitAnswers(stream_.written());
  }
  usb_->leaveBitBang();
}

void FtdiPort::fail(const std::string& what) {
  if (dead_) return;
  dead_ = true;
  stream_.dropWanted();
  const std::string reason = usb_->errorText();
  // The supplies off if the board still answers at all.
  const std::uint8_t idle = stream_.levelsFor(kAdapterIdle);
  const bool idled = usb_->write({&idle, 1});
  if (onFailure_)
    onFailure_("FT232R: " + what + " (" + reason + "). Плата отключена или не отвечает; " +
               (idled ? "программатор выключен." : "выключите питание программатора."));
}

// Writes what is queued, no more than `limit` bytes left unanswered; while
// the answers leave room for less than a buffer's worth, it reads them
// first rather than spend a write on a few bytes.
bool FtdiPort::send(std::size_t limit) {
  while (!dead_ && stream_.pendingCount() > 0) {
    const std::size_t room = stream_.roomForUnanswered(limit);
    const std::size_t worth = std::min(stream_.pendingCount(), FtdiStream::kFromHostBuffer);
    if (room < worth) {
      if (!takeAnswers(worth - room)) return false;
      continue;
    }
    if (!sendChunk(stream_.pendingFront(room))) return false;
  }
  return !dead_;
}

bool FtdiPort::sendChunk(std::span<const std::uint8_t> bytes) {
  const auto size = static_cast<std::int64_t>(bytes.size());
  if (!usb_->write(bytes)) {
    fail("ошибка записи USB");
    return false;
  }
  // When a write returns its bytes are in the board: no more bytes than
  // its buffer from the host holds (and the one on the pins) still wait.
  const std::int64_t now = monotonicNs();
  constexpr auto kWaitingAtMost = static_cast<std::int64_t>(FtdiStream::kFromHostBuffer + 1);
  playedByNs_ = std::min(std::max(playedByNs_, now) + size * FtdiStream::kBytePeriodNs,
                         now + kWaitingAtMost * FtdiStream::kBytePeriodNs);
  stream_.markSent(bytes.size());
  if (stream_.written() - stream_.answered() > FtdiStream::kUnansweredNeverStops)
    mayHaveStopped_ = true;
  return true;
}

// One USB read of `wanted` answers at most, handed to the stream. A read
// waits until it has as many as it is asked for or a latency period has
// brought none: asked for more than is due, every read would cost one more.
bool FtdiPort::takeAnswers(std::uint64_t wanted) {
  std::array<std::uint8_t, kReadChunk> buffer{};
  const auto size = static_cast<std::size_t>(
      std::min<std::uint64_t>(std::max<std::uint64_t>(wanted, 1), buffer.size()));
  const std::int64_t start = monotonicNs();
  for (;;) {
    const int got = usb_->read({buffer.data(), size});
    if (got < 0) {
      fail("ошибка чтения USB");
      return false;
    }
    if (got > 0) {
      stream_.takeAnswers({buffer.data(), static_cast<std::size_t>(got)});
      return true;
    }
    if (monotonicNs() - start > kEchoTimeoutNs) {
      fail("нет ответа");
      return false;
    }
  }
}

// The answers up to `count`. So that the last of them comes in a full
// packet rather than a latency period later, a packet's worth of bytes
// follows it: more of the standing state where nothing else is queued.
bool FtdiPort::awaitAnswers(std::uint64_t count) {
  const std::uint64_t following = stream_.written() + stream_.pendingCount() - count;
  if (count > stream_.answered() && following < FtdiStream::kPacketAnswers - 1)
    stream_.queueState(stream_.state(), FtdiStream::kPacketAnswers - 1 - following);
  if (!send(FtdiStream::kUnansweredMax)) return false;
  while (!dead_ && stream_.answered() < count)
    if (!takeAnswers(count - stream_.answered())) return false;
  boundPlayed();
  return !dead_;
}

// With no more than the board's buffer for the host unanswered, the pins
// cannot stop again, and what is left of the bytes sent plays by a bound
// the host's clock gives.
void FtdiPort::boundPlayed() {
  const std::uint64_t unanswered = stream_.written() - stream_.answered();
  if (dead_ || unanswered > FtdiStream::kUnansweredNeverStops) return;
  const std::int64_t bound =
      monotonicNs() + static_cast<std::int64_t>(unanswered + 1) * FtdiStream::kBytePeriodNs;
  playedByNs_ = mayHaveStopped_ ? bound : std::min(playedByNs_, bound);
  mayHaveStopped_ = false;
}

// Answers read while a hold lasts, as long as a read cannot outlast it.
void FtdiPort::drainUntil(std::int64_t endNs) {
  while (!dead_ && stream_.answered() < stream_.written() &&
         monotonicNs() + kDrainMarginNs < endNs)
    takeAnswers(stream_.written() - stream_.answered());
}

void FtdiPort::write(std::uint16_t address, std::uint8_t value) {
  if ((address & 1) != 0 || dead_) return;
  stream_.queueState(value, 1);
  send();
}

// The pins now: one more byte of the standing state, and its answer.
std::uint8_t FtdiPort::read(std::uint16_t address) {
  if ((address & 1) == 0) return stream_.state();
  if (dead_) return 0;
  const std::uint64_t index = stream_.queueState(stream_.state(), 1);
  std::array<std::uint8_t, 1> status{};
  stream_.wantSample(index, status.data());
  if (!send() || !awaitAnswers(index + 1)) return 0;
  return status[0];
}

std::uint64_t FtdiPort::queue(const LineFrame& frame, FramePace& pace,
                              std::span<std::uint8_t> statuses) {
  std::fill(statuses.begin(), statuses.end(), std::uint8_t{0});
  if (dead_ || pace.takeStop()) return 0;
  const std::size_t bytesPerState = FtdiStream::bytesCovering(countsToNs(frame.holdCounts, pace));
  return stream_.queueFrame(frame.steps, bytesPerState, statuses);
}

// A frame without samples waits for the next hold, sample or single write.
void FtdiPort::runFrame(const LineFrame& frame, FramePace& pace,
                        std::span<std::uint8_t> statuses) {
  const std::uint64_t lastSample = queue(frame, pace, statuses);
  if (lastSample != 0) awaitAnswers(lastSample);
}

// Queued frames go out as soon as they fill what the board answers at once.
void FtdiPort::queueFrame(const LineFrame& frame, FramePace& pace,
                          std::span<std::uint8_t> statuses) {
  queue(frame, pace, statuses);
  if (stream_.pendingCount() >= FtdiStream::kUnansweredMax) send(FtdiStream::kUnansweredMax);
}

void FtdiPort::settle(FramePace&) {
  awaitAnswers(stream_.answersWanted());
}

void FtdiPort::hold(std::int64_t counts, FramePace& pace) {
  // Once the pins may have stopped, the bound of what was sent holds again
  // only when no more than they play without stopping is left unanswered.
  if (send() && mayHaveStopped_) {
    const std::uint64_t written = stream_.written();
    const std::uint64_t neverStops = FtdiStream::kUnansweredNeverStops;
    awaitAnswers(written > neverStops ? written - neverStops : 0);
  }
  if (dead_) return pace.spinUntil(pace.counter() + counts);
  const std::int64_t endNs = std::max(playedByNs_, monotonicNs()) + countsToNs(counts, pace);
  drainUntil(endNs);
  // What is left is measured before the counter is read: a pause of the
  // program between the two readings then lengthens the wait, never
  // shortens it.
  const std::int64_t leftNs = endNs - monotonicNs();
  const std::int64_t now = pace.counter();
  pace.spinUntil(now + nsToCounts(leftNs, pace));
}

// An answer of the set-up still on its way would shift every sample after
// it: the stream starts once a read (a latency period) brings nothing.
bool dropStrayAnswers(FtdiUsb& usb) {
  std::array<std::uint8_t, kReadChunk> buffer{};
  for (int reads = 0; reads < 8; ++reads) {
    const int got = usb.read(buffer);
    if (got <= 0) return got == 0;
  }
  return false;
}

// Synchronous bit-bang with every pin an input first (pulled up: the
// adapter's supplies off), the idle levels latched, then the four outputs.
bool startBitBang(FtdiUsb& usb, const AdapterPins& pins) {
  const std::uint8_t idle = FtdiStream(pins).levelsFor(kAdapterIdle);
  const auto outputs = static_cast<std::uint8_t>(pins.outputMask());
  return usb.setLatencyTimer(kLatencyMs) && usb.startSyncBitBang(0) && usb.setByteClock() &&
         usb.write({&idle, 1}) && usb.startSyncBitBang(outputs) && usb.purge() &&
         dropStrayAnswers(usb);
}

}  // namespace

PortOpenResult openFtdiPort(const std::string& serial, const AdapterPins& pins,
                            std::function<void(const std::string&)> onFailure) {
  const std::string device = serial.empty() ? "FT232R" : "FT232R " + serial;
  FtdiUsbOpened opened = openFtdiUsb(serial);
  if (!opened.usb) return notOpened(device, std::move(opened.reason), std::move(opened.need));
  if (!startBitBang(*opened.usb, pins))
    return notOpened(device,
                     "FT232R не перешёл в режим bit-bang (" + opened.usb->errorText() +
                         "): плата отключена или не отвечает",
                     std::move(opened.need));
  return {std::make_unique<FtdiPort>(std::move(opened.usb), pins, std::move(onFailure)), true,
          device, {}, {}};
}

}  // namespace kalmar
