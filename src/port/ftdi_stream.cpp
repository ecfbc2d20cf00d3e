#include "port/ftdi_stream.h"

#include <algorithm>

namespace kalmar {

std::size_t FtdiStream::bytesCovering(std::int64_t ns) {
  if (ns <= kBytePeriodNs) return 1;
  return static_cast<std::size_t>((ns + kBytePeriodNs - 1) / kBytePeriodNs);
}

std::uint64_t FtdiStream::queueState(std::uint8_t lineByte, std::size_t count) {
  const std::uint64_t first = queued_;
  pending_.insert(pending_.end(), count, levelsFor(lineByte));
  queued_ += count;
  state_ = lineByte;
  return first;
}

// A sampled state's answer is the one to the byte after it: the last state
// of a frame gets one byte more when it is sampled.
std::uint64_t FtdiStream::queueFrame(std::span<const LineStep> steps, std::size_t bytesPerState,
                                     std::span<std::uint8_t> statuses) {
  std::size_t sampled = 0;
  std::uint64_t needed = 0;
  for (const LineStep& step : steps) {
    queueState(step.state, bytesPerState);
    if (!step.sample) continue;
    if (sampled < statuses.size()) wantSample(queued_, &statuses[sampled]);
    ++sampled;
    needed = queued_ + 1;
  }
  if (!steps.empty() && steps.back().sample) queueState(steps.back().state, 1);
  return needed;
}

void FtdiStream::wantSample(std::uint64_t index, std::uint8_t* slot) {
  wanted_.push_back({index, slot});
}

std::uint64_t FtdiStream::answersWanted() const {
  std::uint64_t needed = answered_;
  for (const Wanted& wanted : wanted_) needed = std::max(needed, wanted.index + 1);
  return needed;
}

std::size_t FtdiStream::roomForUnanswered(std::size_t limit) const {
  const std::uint64_t unanswered = written_ - answered_;
  if (unanswered >= limit) return 0;
  return std::min<std::size_t>(pendingCount(), limit - unanswered);
}

std::span<const std::uint8_t> FtdiStream::pendingFront(std::size_t count) const {
  return {pending_.data() + pendingStart_, std::min(count, pendingCount())};
}

void FtdiStream::markSent(std::size_t count) {
  pendingStart_ += count;
  written_ += count;
  if (pendingStart_ == pending_.size()) {
    pending_.clear();
    pendingStart_ = 0;
  }
}

void FtdiStream::takeAnswers(std::span<const std::uint8_t> answers) {
  const std::uint64_t first = answered_;
  answered_ += answers.size();
  std::erase_if(wanted_, [&](const Wanted& wanted) {
    if (wanted.index < first || wanted.index >= answered_) return false;
    *wanted.slot = statusOf(answers[wanted.index - first]);
    return true;
  });
}

std::uint8_t FtdiStream::statusOf(std::uint8_t answer) const {
  return statusOfReadBack(((answer >> pins_[AdapterPins::Read]) & 1) != 0);
}

}  // namespace kalmar
