#include "standin/ft232r.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace kalmar::standin {

namespace {
constexpr std::int64_t kOutLatencyNs = 250'000;
constexpr std::int64_t kPacketNs = 100'000;
constexpr std::size_t kPacketAnswers = 62;
constexpr std::size_t kFromHostBuffer = 128;
constexpr std::size_t kForHostBuffer = 256;
}  // namespace

std::unique_ptr<Ft232r> Ft232r::plugIn() {
  auto board = Board::fromEnvironment(AdapterPins{{0, 1, 2, 4, 3}}, true);
  if (!board) return nullptr;
  auto device = std::make_unique<Ft232r>();
  device->board = std::move(board);
  return device;
}

std::string Ft232r::serialNumber() {
  const char* serial = std::getenv("KALMAR_STANDIN_SERIAL");
  return serial != nullptr ? serial : "KALMAR01";
}

void Ft232r::advance(std::int64_t now) {
  while (!toPins_.empty() && playNext(now)) {
  }
}

// Plays the next byte if its turn has come by `now`; false when it has
// not, or when the buffer for the host is full.
bool Ft232r::playNext(std::int64_t now) {
  if (answers_.size() >= kForHostBuffer) {
    stopped_ = true;  // until the host reads
    return false;
  }
  const std::int64_t start = std::max({toPins_.front().arrivalNs, pinsFreeNs_, restartNs_});
  if (start > now) return false;
  answer(static_cast<std::uint8_t>(board->pins(start)), start);
  drive(toPins_.front().value, start);
  pinsFreeNs_ = start + periodNs;
  toPins_.pop_front();
  return true;
}

// An answer goes out with its packet: when the packet fills, or when the
// latency timer runs out on it.
void Ft232r::answer(std::uint8_t pins, std::int64_t timeNs) {
  if (packetFill_ > 0 && timeNs >= packetOpenNs_ + kLatencyTimerNs) packetFill_ = 0;  // went out
  if (packetFill_ == 0) packetOpenNs_ = timeNs;
  answers_.push_back({pins, packetOpenNs_ + kLatencyTimerNs});
  if (++packetFill_ < kPacketAnswers) return;
  for (std::size_t k = 0; k < packetFill_ && k < answers_.size(); ++k)
    answers_[answers_.size() - 1 - k].readyNs = timeNs + kPacketNs;
  packetFill_ = 0;
}

void Ft232r::drive(std::uint8_t value, std::int64_t timeNs) {
  latch = value;
  board->setOutputs(static_cast<std::uint8_t>((value & outputs) | ~outputs), timeNs);
}

void Ft232r::setBitMode(std::uint8_t mask, bool sync) {
  advance(nowNs());
  if (mask == 0 && outputs != 0) released = board->lineByte(latch & outputs);
  outputs = mask;
  syncBitBang = sync;
  drive(latch, std::max(nowNs(), pinsFreeNs_));
  if (mask != 0 && requested < 0) requested = board->lineByte(latch & mask);
}

void Ft232r::purge() {
  advance(nowNs());
  toPins_.clear();
  answers_.clear();
  packetFill_ = 0;
}

// A quarter of a millisecond, or until enough bytes have gone to the pins
// to make room for the last (nothing the host does meanwhile changes what
// the pins do, so that is played ahead).
bool Ft232r::write(std::span<const std::uint8_t> bytes) {
  const std::int64_t now = nowNs();
  advance(now);
  const std::int64_t arrival = now + kOutLatencyNs;
  for (std::uint8_t byte : bytes) toPins_.push_back({byte, arrival});
  std::int64_t done = arrival;
  while (toPins_.size() > kFromHostBuffer) {
    if (!playNext(INT64_MAX)) return false;
    done = std::max(done, pinsFreeNs_ - periodNs);
  }
  sleepUntilNs(done);
  return true;
}

std::vector<std::uint8_t> Ft232r::transfer() {
  const std::int64_t start = nowNs();
  advance(start);
  if (answers_.empty() || answers_.front().readyNs > start) {
    const std::int64_t ready = answers_.empty() ? start + kLatencyTimerNs : answers_.front().readyNs;
    sleepUntilNs(std::min(ready, start + kLatencyTimerNs));
  }
  const std::int64_t now = nowNs();
  std::vector<std::uint8_t> got;
  while (!answers_.empty() && answers_.front().readyNs <= now) {
    got.push_back(answers_.front().value);
    answers_.pop_front();
  }
  if (!got.empty() && stopped_) {
    stopped_ = false;
    restartNs_ = now;
  }
  advance(now);
  return got;
}

std::size_t Ft232r::answersArrived() {
  const std::int64_t now = nowNs();
  advance(now);
  std::size_t arrived = 0;  // in order: a later answer never overtakes an earlier one
  while (arrived < answers_.size() && answers_[arrived].readyNs <= now) ++arrived;
  return arrived;
}

void Ft232r::close() {
  advance(nowNs() + 1'000'000'000);
  board->close();
  if (requested < 0) return;
  if (released < 0) released = board->lineByte(latch & outputs);
  board->reportLines(static_cast<std::uint8_t>(requested), static_cast<std::uint8_t>(released));
}

}  // namespace kalmar::standin
