#include "link/slowdown.h"

#include <array>

namespace kalmar {

namespace {

struct SlowdownItem {
  MenuItem SlowdownMenuState::*item;
  const char* caption;  // without the two leading characters
  double factor;
};

constexpr std::array<SlowdownItem, 6> kItems = {{
    {&SlowdownMenuState::N201, "На 20%", 1.2},
    {&SlowdownMenuState::N501, "На 50%", 1.5},
    {&SlowdownMenuState::N1001, "В два раза", 2.0},
    {&SlowdownMenuState::N2001, "В три раза", 3.0},
    {&SlowdownMenuState::N5001, "В пять раз", 5.0},
    {&SlowdownMenuState::N42, "Без замедления", 1.0},
}};

void choose(SlowdownMenuState& menu, TimingState& timing, std::size_t chosen) {
  timing.setSlowdownFactor(kItems[chosen].factor);
  for (std::size_t i = 0; i < kItems.size(); ++i)
    (menu.*kItems[i].item).Caption = std::string(i == chosen ? "^ " : "  ") + kItems[i].caption;
}

}  // namespace

void N201Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 0);
}
void N501Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 1);
}
void N1001Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 2);
}
void N2001Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 3);
}
void N5001Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 4);
}
void N42Click(SlowdownMenuState& menu, TimingState& timing) {
  choose(menu, timing, 5);
}

bool selectSlowdownFactor(SlowdownMenuState& menu, TimingState& timing, double factor) {
  for (std::size_t i = 0; i < kItems.size(); ++i) {
    if (kItems[i].factor == factor) {
      choose(menu, timing, i);
      return true;
    }
  }
  return false;
}

}  // namespace kalmar
