#include "memory/region_loops.h"

#include <algorithm>
#include <array>
#include <utility>

#include "memory/operation_frame.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

std::string hexText(std::uint32_t value, int digits) {
  return digits == 2 ? hex2(value) : hex4(value);
}

// One cell: load, program, read back; what was read when it did not read
// back as written.
std::optional<std::uint16_t> writeCell(ChipSession& chip, const RegionWrite& region, int i,
                                       int count, std::uint16_t value,
                                       const RegionProgress& progress) {
  programCell(chip, region.loadCommand, value & 0x3FFF, region.cycle);
  if (progress && !region.progressAfterCheck) progress(i + 1, count);
  const auto readBack = static_cast<std::uint16_t>(
      chip.line.readBackWord(region.readCommand, Sampler::Read4) & region.readMask);
  if (readBack != value) return readBack;
  if (progress && region.progressAfterCheck) progress(i + 1, count);
  return std::nullopt;
}

// Cells programmed whose read-backs are still on their way.
class ReadBacksLater {
 public:
  static constexpr std::size_t kCells = 64;

  bool full() const { return count_ == kCells; }
  std::uint16_t* add(int index, std::uint16_t wanted) {
    cells_[count_] = {index, wanted, 0};
    return &cells_[count_++].found;
  }
  // Settles the line's batch and checks every cell in it.
  std::optional<CellMismatch> check(LineProtocol& line, std::uint16_t mask) {
    line.settle();
    const std::size_t count = std::exchange(count_, 0);
    for (std::size_t k = 0; k < count; ++k) {
      const auto found = static_cast<std::uint16_t>(cells_[k].found & mask);
      if (found != cells_[k].wanted) return CellMismatch{cells_[k].index, cells_[k].wanted, found};
    }
    return std::nullopt;
  }

 private:
  std::array<CellMismatch, kCells> cells_{};
  std::size_t count_ = 0;
};

// A port that answers reads in batches (USB) gets each read-back asked for
// as its cell is programmed and checked up to 64 cells later, so that no
// cell waits a round trip; a mismatch is still told for its own cell, and
// the cells after it written by then are the only difference.
std::optional<CellMismatch> writeCellsReadLater(ChipSession& chip, const RegionWrite& region,
                                                int count,
                                                const std::function<std::uint16_t(int)>& valueAt,
                                                const RegionProgress& progress) {
  ReadBacksLater later;  // outlives the batch, whose settle writes into it
  LineBatch batch(chip.line);
  for (int i = 0; i < count; ++i) {
    const std::uint16_t value = valueAt(i);
    if (value != region.passed) {
      programCell(chip, region.loadCommand, value & 0x3FFF, region.cycle);
      chip.line.readBackWordLater(region.readCommand, Sampler::Read4, later.add(i, value));
      if (progress) progress(i + 1, count);
    }
    if (i + 1 < region.incrementLimit) chip.line.SendCommand(command::kIncrementAddress);
    if (later.full())
      if (auto mismatch = later.check(chip.line, region.readMask)) return mismatch;
  }
  return later.check(chip.line, region.readMask);
}

// Whether any word of cells first..last is to be written.
bool anyWritten(const RegionWrite& region, int first, int last,
                const std::function<std::uint16_t(int)>& valueAt) {
  for (int i = first; i <= last; ++i)
    if (valueAt(i) != region.passed) return true;
  return false;
}

// A word into its write latch; the row's cycle after its last word.
void loadRowWord(ChipSession& chip, const RegionWrite& region, std::uint16_t value, bool last) {
  chip.line.SendCommand(region.loadCommand);
  chip.line.LoadDataWord(value & 0x3FFF);
  if (last) programRow(chip);
}

// Program words through the write latches: a row holding any word that is
// not passed gets all its words loaded, Increment Address between, and one
// cycle at its last word; rows of passed words are stepped over. The
// counter cannot go back to read a row, so the region is checked by the
// read that follows the write.
void writeRows(ChipSession& chip, const RegionWrite& region, int count,
               const std::function<std::uint16_t(int)>& valueAt, const RegionProgress& progress) {
  const int rowWords = chip.profile.rowWords;
  for (int first = 0; first < count; first += rowWords) {
    const int last = std::min(first + rowWords, count) - 1;
    const bool written = anyWritten(region, first, last, valueAt);
    for (int i = first; i <= last; ++i) {
      if (written) loadRowWord(chip, region, valueAt(i), i == last);
      if (progress) progress(i + 1, count);
      if (i + 1 < region.incrementLimit) chip.line.SendCommand(command::kIncrementAddress);
    }
  }
}

}  // namespace

std::optional<CellMismatch> writeCells(ChipSession& chip, const RegionWrite& region, int count,
                                       const std::function<std::uint16_t(int)>& valueAt,
                                       const RegionProgress& progress) {
  if (chip.profile.rowWords > 1 && region.cycle == Cycle::ProgramWord) {
    writeRows(chip, region, count, valueAt, progress);
    return std::nullopt;
  }
  if (chip.line.queuesFrames()) return writeCellsReadLater(chip, region, count, valueAt, progress);
  for (int i = 0; i < count; ++i) {
    const std::uint16_t value = valueAt(i);
    if (value != region.passed) {
      if (std::optional<std::uint16_t> found = writeCell(chip, region, i, count, value, progress))
        return CellMismatch{i, value, *found};
    }
    if (i + 1 < region.incrementLimit) chip.line.SendCommand(command::kIncrementAddress);
  }
  return std::nullopt;
}

Outcome writeRegion(TForm1& form, const RegionWrite& region, int count,
                    const std::function<std::uint16_t(int)>& valueAt,
                    const RegionProgress& progress, Outcome done) {
  const std::optional<CellMismatch> mismatch =
      writeCells(form.chip, region, count, valueAt, progress);
  if (!mismatch) return done;
  const std::uint32_t address = region.firstAddress + static_cast<std::uint32_t>(mismatch->index);
  return reportFailure(
      form, region.failureCaption,
      writeMismatchText(hexText(address, region.digits), hexText(mismatch->wanted, region.digits),
                        hexText(mismatch->found, region.digits)),
      region.failureAction);
}

Outcome verifyRegion(TForm1& form, const RegionVerify& region, int count,
                     const std::function<std::uint16_t(int)>& readAt,
                     const std::function<std::uint16_t(int)>& wantedAt,
                     const std::function<bool(int)>& skip, const RegionProgress& progress) {
  Outcome outcome = Outcome::done(region.passedAction + form.lastOpenedPath);
  for (int i = 0; i < count; ++i) {
    progress(i + 1, count);
    if (skip && skip(i)) continue;
    const std::uint16_t read = readAt(i);
    const std::uint16_t wanted = wantedAt(i);
    if (read != wanted) {
      const auto address = static_cast<std::uint32_t>(i);
      outcome = reportFailure(
          form, region.failureCaption,
          verifyMismatchText(hexText(address, region.digits), hexText(wanted, region.digits),
                             hexText(read, region.digits)),
          region.failureAction);
      break;
    }
  }
  endFrame(form, outcome.lastAction, outcome.ok(), form.operation.startMs, false);
  return std::move(outcome).timed(form.window.StatusBar2);
}

RegionProgress regionProgress(TForm1& form) {
  return
      [&form](int done, int count) { setProgress(form, 5 + roundHalfEven(done * 100.0 / count)); };
}

}  // namespace kalmar
