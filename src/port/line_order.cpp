#include "port/line_order.h"

#include <array>

namespace kalmar {

namespace {

// D0 data, D1 clock, D2 VPP and D3 VDD switches; a switch's bit set is its supply off.
constexpr std::uint8_t kData = 0x01, kClock = 0x02, kVpp = 0x04, kVdd = 0x08;

}  // namespace

std::vector<std::uint8_t> oneLineAtATime(std::uint8_t previous, std::uint8_t next) {
  const auto changed = static_cast<std::uint8_t>(previous ^ next);
  const auto switchedOff = static_cast<std::uint8_t>(changed & next & (kVpp | kVdd));
  const auto switchedOn = static_cast<std::uint8_t>(changed & ~next & (kVpp | kVdd));
  const std::array<std::uint8_t, 6> order = {
      static_cast<std::uint8_t>(switchedOff & kVpp), static_cast<std::uint8_t>(switchedOff & kVdd),
      static_cast<std::uint8_t>(changed & kClock),   static_cast<std::uint8_t>(changed & kData),
      static_cast<std::uint8_t>(switchedOn & kVpp),  static_cast<std::uint8_t>(switchedOn & kVdd)};
  std::vector<std::uint8_t> states;
  std::uint8_t state = previous;
  for (const std::uint8_t line : order) {
    if (line == 0) continue;
    state = static_cast<std::uint8_t>((state & ~line) | (next & line));
    states.push_back(state);
  }
  // The bits above the lines go with the last step.
  if (states.empty())
    states.push_back(next);
  else
    states.back() = next;
  return states;
}

}  // namespace kalmar
