#include "standin/standin_board.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "sim/chip_file.h"
#include "sim/chip_kind.h"

namespace kalmar::standin {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::unique_ptr<sim::SimChip> chipFrom(const std::string& file) {
  if (std::filesystem::exists(file)) {
    sim::ChipFromText loaded = sim::loadChipFile(file);
    if (!loaded.chip) std::fprintf(stderr, "stand-in: %s\n", loaded.error.c_str());
    return std::move(loaded.chip);
  }
  const std::string kind = environment("KALMAR_STANDIN_KIND");
  return std::make_unique<sim::SimChip>(
      sim::chipKindFromName(kind.empty() ? "PIC16F84A" : kind).value_or(sim::ChipKind::PIC16F84A));
}

}  // namespace

std::unique_ptr<Board> Board::fromEnvironment(const AdapterPins& defaults, bool ftdiNames) {
  const std::string file = environment("KALMAR_STANDIN_CHIP");
  if (file.empty()) return nullptr;
  std::unique_ptr<Board> board(new Board());
  board->pins_ = defaults;
  const std::string pins = environment("KALMAR_STANDIN_PINS");
  std::string error;
  if (!pins.empty()) board->pins_ = parseAdapterPins(pins, 64, ftdiNames, error).value_or(defaults);
  board->chipFile_ = file;
  board->reportFile_ = environment("KALMAR_STANDIN_REPORT");
  const std::string unplug = environment("KALMAR_STANDIN_UNPLUG");
  if (!unplug.empty()) board->transfersLeft_ = std::atoll(unplug.c_str());
  const std::string away = environment("KALMAR_STANDIN_AWAY");
  if (!away.empty()) board->awayLeft_ = std::atoll(away.c_str());
  board->chip_ = chipFrom(file);
  if (!board->chip_) return nullptr;
  board->adapter_ = std::make_unique<sim::SimAdapter>(*board->chip_);
  return board;
}

Board::~Board() {
  close();
}

// The adapter takes the four output levels as the parallel port's D0-D3.
void Board::setOutputs(std::uint64_t levels, std::int64_t timeNs) {
  if (((levels ^ outputs_) & pins_.outputMask()) != 0) {
    if (firstChangeNs_ < 0) firstChangeNs_ = timeNs;
    lastChangeNs_ = timeNs;
  }
  outputs_ = levels;
  adapter_->writeData(lineByte(levels), timeNs);
}

void Board::reportLines(std::uint8_t requested, std::uint8_t released) const {
  if (reportFile_.empty()) return;
  std::ofstream out(reportFile_, std::ios::app);
  char text[64];
  std::snprintf(text, sizeof text, "requested %02X\nreleased %02X\n", requested, released);
  out << text;
}

std::uint64_t Board::pins(std::int64_t timeNs) {
  const std::uint64_t readBit = std::uint64_t{1} << pins_[AdapterPins::Read];
  std::uint64_t levels = (outputs_ & pins_.outputMask()) | ~(pins_.outputMask() | readBit);
  if (adapter_->readStatus(timeNs) & 0x40) levels |= readBit;
  return levels;
}

bool Board::transferUnplugs() {
  if (transfersLeft_ != 0) {
    if (transfersLeft_ > 0) --transfersLeft_;
    return false;
  }
  if (awayLeft_ == 0) return unplugged_ = false;
  if (awayLeft_ > 0) --awayLeft_;
  unplugged_ = awayLeft_ != 0;  // back once the last transfer it refuses is over
  return true;
}

void Board::close() {
  if (closed_) return;
  closed_ = true;
  std::string error;
  if (!sim::saveChipFile(*chip_, chipFile_, error))
    std::fprintf(stderr, "stand-in: %s\n", error.c_str());
  if (reportFile_.empty()) return;
  const sim::SimLog& log = adapter_->log();
  std::ofstream out(reportFile_, std::ios::trunc);
  out << "violations " << log.violations() << "\nwarnings " << log.warnings() << "\nspan_ns "
      << (lastChangeNs_ - firstChangeNs_) << "\n"
      << log.eventsText();
}

#if defined(_WIN32)
// The performance counter, the one the program's counter reads; a sleep
// gives the rest of a wait back to the system and spins its last part.
std::int64_t nowNs() {
  LARGE_INTEGER count{}, frequency{};
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<std::int64_t>(static_cast<double>(count.QuadPart) * 1e9 /
                                   static_cast<double>(frequency.QuadPart));
}

void sleepUntilNs(std::int64_t timeNs) {
  constexpr std::int64_t kSleepGranularityNs = 2'000'000;
  for (std::int64_t left = timeNs - nowNs(); left > 0; left = timeNs - nowNs())
    if (left > kSleepGranularityNs) Sleep(static_cast<DWORD>((left - kSleepGranularityNs) / 1'000'000));
}
#else
std::int64_t nowNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void sleepUntilNs(std::int64_t timeNs) {
  timespec until{};
  until.tv_sec = static_cast<time_t>(timeNs / 1'000'000'000);
  until.tv_nsec = static_cast<long>(timeNs % 1'000'000'000);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) != 0) {
  }
}

#endif

}  // namespace kalmar::standin
