#include "link/step_sequences.h"

#include <array>
#include <bit>

namespace kalmar {

namespace {

// A 0 bit is 01 03, a 1 bit 00 02 03, after a lead 03; a trailing 02
// releases the data line except after 03h, 04h and 05h.
constexpr std::uint8_t kCmd00[] = {3, 1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd01[] = {3, 0, 2, 3, 1, 3, 1, 3, 1, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd02[] = {3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd03[] = {3, 0, 2, 3, 0, 2, 3, 1, 3, 1, 3, 1, 3, 1, 3};
constexpr std::uint8_t kCmd04[] = {3, 1, 3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 1, 3};
// Ends with the clock high: the read frame's first step is its falling edge.
constexpr std::uint8_t kCmd05[] = {3, 0, 2, 3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 1};
constexpr std::uint8_t kCmd06[] = {3, 1, 3, 0, 2, 3, 0, 2, 3, 1, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd07[] = {3, 0, 2, 3, 0, 2, 3, 0, 2, 3, 1, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd08[] = {3, 1, 3, 1, 3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd09[] = {3, 0, 2, 3, 1, 3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd0B[] = {3, 0, 2, 3, 0, 2, 3, 1, 3, 0, 2, 3, 1, 3, 1, 3, 2};
constexpr std::uint8_t kCmd18[] = {3, 1, 3, 1, 3, 1, 3, 0, 2, 3, 0, 2, 3, 1, 3, 2};

// `Bits` bits of `Value` in the stored commands' shape: a lead 03, each bit
// LSB first, the trailing 02.
template <std::uint64_t Value, int Bits>
constexpr auto commandShaped() {
  constexpr int ones = std::popcount(Value & ((std::uint64_t{1} << Bits) - 1));
  std::array<std::uint8_t, 1 + 2 * Bits + ones + 1> steps{};
  std::size_t i = 0;
  steps[i++] = 3;
  for (int bit = 0; bit < Bits; ++bit) {
    if ((Value >> bit) & 1) {
      for (std::uint8_t b : {0, 2, 3}) steps[i++] = b;
    } else {
      for (std::uint8_t b : {1, 3}) steps[i++] = b;
    }
  }
  steps[i++] = 2;
  return steps;
}

// The commands of the chips with write latches, in the same shape.
template <std::uint8_t Code>
constexpr auto makeCommand() {
  return commandShaped<Code, 6>();
}

constexpr auto kCmd0A = makeCommand<0x0A>();
constexpr auto kCmd0E = makeCommand<0x0E>();
constexpr auto kCmd11 = makeCommand<0x11>();
constexpr auto kCmd17 = makeCommand<0x17>();
constexpr auto kCmd1F = makeCommand<0x1F>();
template <std::size_t N, std::size_t M>
constexpr bool sameSteps(const std::array<std::uint8_t, N>& made, const std::uint8_t (&stored)[M]) {
  if (N != M) return false;
  for (std::size_t i = 0; i < N; ++i)
    if (made[i] != stored[i]) return false;
  return true;
}
// The generator makes the stored sequences of the same shape too.
static_assert(sameSteps(makeCommand<0x18>(), kCmd18) && sameSteps(makeCommand<0x09>(), kCmd09) &&
              sameSteps(makeCommand<0x08>(), kCmd08) && sameSteps(makeCommand<0x00>(), kCmd00));

constexpr auto makeFrame3FFF() {
  std::array<std::uint8_t, 48> steps{};
  std::size_t i = 0;
  for (std::uint8_t b : {3, 1, 3}) steps[i++] = b;
  for (int bit = 0; bit < 14; ++bit)
    for (std::uint8_t b : {0, 2, 3}) steps[i++] = b;
  for (std::uint8_t b : {1, 3, 2}) steps[i++] = b;
  return steps;
}

constexpr auto makeFrame00FF() {
  std::array<std::uint8_t, 42> steps{};
  std::size_t i = 0;
  for (std::uint8_t b : {3, 1, 3}) steps[i++] = b;
  for (int bit = 0; bit < 8; ++bit)
    for (std::uint8_t b : {0, 2, 3}) steps[i++] = b;
  for (int bit = 0; bit < 6; ++bit)
    for (std::uint8_t b : {1, 3}) steps[i++] = b;
  for (std::uint8_t b : {1, 3, 2}) steps[i++] = b;
  return steps;
}

constexpr auto makeReadFrame() {
  std::array<std::uint8_t, 33> steps{};
  std::size_t i = 0;
  for (std::uint8_t b : {2, 0, 2}) steps[i++] = b;
  for (int bit = 0; bit < 14; ++bit) {
    steps[i++] = line::kSampleMarker;
    steps[i++] = 2;
  }
  for (std::uint8_t b : {0, 2}) steps[i++] = b;
  return steps;
}

// The low-voltage key, 4D434850h, and one more clock: a 33rd bit, 0.
constexpr auto makeKey() {
  return commandShaped<0x4D434850, 33>();
}

constexpr auto kFrame3FFF = makeFrame3FFF();
constexpr auto kFrame00FF = makeFrame00FF();
constexpr auto kReadFrame = makeReadFrame();
constexpr auto kLowVoltageKey = makeKey();

}  // namespace

std::span<const std::uint8_t> commandSteps(std::uint8_t code) {
  switch (code) {
    case 0x00:
      return kCmd00;
    case 0x01:
      return kCmd01;
    case 0x02:
      return kCmd02;
    case 0x03:
      return kCmd03;
    case 0x04:
      return kCmd04;
    case 0x05:
      return kCmd05;
    case 0x06:
      return kCmd06;
    case 0x07:
      return kCmd07;
    case 0x08:
      return kCmd08;
    case 0x09:
      return kCmd09;
    case 0x0B:
      return kCmd0B;
    case 0x18:
      return kCmd18;
    case 0x0A:
      return kCmd0A;
    case 0x0E:
      return kCmd0E;
    case 0x11:
      return kCmd11;
    case 0x17:
      return kCmd17;
    case 0x1F:
      return kCmd1F;
    default:
      return {};
  }
}

std::span<const std::uint8_t> fixedFrameSteps(FixedFrame frame) {
  if (frame == FixedFrame::AllOnes3FFF) return kFrame3FFF;
  return kFrame00FF;
}

std::span<const std::uint8_t> readFrameSteps() {
  return kReadFrame;
}

std::span<const std::uint8_t> lowVoltageKeySteps() {
  return kLowVoltageKey;
}

std::array<std::uint8_t, kDataFrameSteps> dataFrameSteps(std::uint16_t value) {
  std::array<std::uint8_t, kDataFrameSteps> steps{};
  std::size_t i = 0;
  auto put = [&](std::initializer_list<std::uint8_t> bytes) {
    for (std::uint8_t b : bytes) steps[i++] = b;
  };
  put({3, 1, 3, 3});  // start bit, clock-low step doubled
  std::uint16_t shifter = value;
  for (int bit = 0; bit < 14; ++bit) {
    if (shifter & 1)
      put({0, 2, 3});
    else
      put({1, 1, 3});
    shifter = static_cast<std::uint16_t>(shifter >> 1);
  }
  put({1, 3, 2});  // stop bit, then release the data line
  return steps;
}

}  // namespace kalmar
