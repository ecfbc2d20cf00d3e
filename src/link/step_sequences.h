#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kalmar {

// Line bytes written to the adapter's data register. D0 data (1 = pulled
// low), D1 clock (1 = low), D2 first power switch, D3 second (1 = off); the
// adapter inverts all four.
namespace line {
inline constexpr std::uint8_t kIdle = 0x0F;
inline constexpr std::uint8_t kFirstSupplyOn = 0x0B;
inline constexpr std::uint8_t kSecondSupplyOn = 0x07;
inline constexpr std::uint8_t kClockLowDataLow = 0x03;
inline constexpr std::uint8_t kClockLowDataReleased = 0x02;
inline constexpr std::uint8_t kClockHighDataLow = 0x01;
inline constexpr std::uint8_t kClockHighDataReleased = 0x00;
// The first switch's bit (D2: VPP on the adapter), 1 = off.
inline constexpr std::uint8_t kFirstSwitchOff = 0x04;
// Never reaches the port (written as 00h); the step samples the data line.
inline constexpr std::uint8_t kSampleMarker = 0x46;
}  // namespace line

// The serial programming commands the programmer sends.
namespace command {
inline constexpr std::uint8_t kLoadConfiguration = 0x00;
inline constexpr std::uint8_t kBulkEraseSetup1 = 0x01;
inline constexpr std::uint8_t kLoadDataProgram = 0x02;
inline constexpr std::uint8_t kLoadDataData = 0x03;
inline constexpr std::uint8_t kReadDataProgram = 0x04;
inline constexpr std::uint8_t kReadDataData = 0x05;
inline constexpr std::uint8_t kIncrementAddress = 0x06;
inline constexpr std::uint8_t kBulkEraseSetup2 = 0x07;
inline constexpr std::uint8_t kBeginProgramming = 0x08;
inline constexpr std::uint8_t kBulkEraseProgram = 0x09;
inline constexpr std::uint8_t kBulkEraseData = 0x0B;
inline constexpr std::uint8_t kBeginProgrammingOnly = 0x18;
// The commands of the chips with write latches.
inline constexpr std::uint8_t kEndProgramming0A = 0x0A;
inline constexpr std::uint8_t kEndProgramming0E = 0x0E;
inline constexpr std::uint8_t kRowErase = 0x11;
inline constexpr std::uint8_t kEndProgramming17 = 0x17;
inline constexpr std::uint8_t kChipErase = 0x1F;
}  // namespace command

enum class FixedFrame { AllOnes3FFF, Byte00FF };

// The stored step sequence of a command; empty for a code that has none.
// These tables are the definition of what goes on the wire, byte for byte.
std::span<const std::uint8_t> commandSteps(std::uint8_t code);
std::span<const std::uint8_t> fixedFrameSteps(FixedFrame frame);
std::span<const std::uint8_t> readFrameSteps();
// The low-voltage entry key of the PIC12F1822 family: 4D434850h ("MCHP"),
// 32 bits least significant first, then one more clock.
std::span<const std::uint8_t> lowVoltageKeySteps();
// The 49 steps of a data frame carrying a 14-bit value (start 0, 14 bits
// least significant first, stop 0).
inline constexpr std::size_t kDataFrameSteps = 49;
std::array<std::uint8_t, kDataFrameSteps> dataFrameSteps(std::uint16_t value);

}  // namespace kalmar
