#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kalmar::sim {

struct LatchedCell {
  std::uint16_t address;
  std::uint16_t value;
};

// The program memory write latches of the chips that program a row of words
// in one cycle: Load Data fills the latch the low address bits select, the
// cycle programs the loaded latches into the row the counter is in, and a
// latch left unloaded leaves its cell as it was.
class WriteLatches {
 public:
  explicit WriteLatches(int words = 1) : latches_(static_cast<std::size_t>(words)) {}

  void load(std::uint16_t address, std::uint16_t value) {
    latches_[address % latches_.size()] = value;
  }

  // The loaded latches as the cells of the row that holds address; the
  // latches are empty afterwards.
  std::vector<LatchedCell> takeRow(std::uint16_t address) {
    std::vector<LatchedCell> cells;
    const auto first = static_cast<std::uint16_t>(address - address % latches_.size());
    for (std::size_t i = 0; i < latches_.size(); ++i)
      if (latches_[i]) cells.push_back({static_cast<std::uint16_t>(first + i), *latches_[i]});
    clear();
    return cells;
  }

  void clear() {
    for (auto& latch : latches_) latch.reset();
  }

 private:
  std::vector<std::optional<std::uint16_t>> latches_;
};

}  // namespace kalmar::sim
