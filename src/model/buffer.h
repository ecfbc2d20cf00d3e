#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace kalmar {

// The largest chips, the PIC16F876A/877A and PIC16F886/887: 8192 program
// words; the largest data memory 256 bytes.
inline constexpr int kMaxProgramWords = 8192;
inline constexpr int kMaxDataBytes = 256;
inline constexpr std::uint16_t kBlankWord = 0x3FFF;
inline constexpr std::uint8_t kBlankByte = 0xFF;

// The in-memory image of a chip's contents ("Буфер"), sized for the largest
// chip; the device profile says how much is in use.
struct Buffer {
  std::array<std::uint16_t, kMaxProgramWords> program;      // what gets written
  std::array<std::uint16_t, kMaxProgramWords> chipRead{};   // what the last read returned
  std::array<std::uint16_t, kMaxProgramWords> disassembly;  // what the disassembler shows
  bool disassemblyNeeded = false;
  std::uint16_t config = 0x3FFB;
  std::uint16_t config2 = kBlankWord;  // the word at 2008h of a chip that has two
  // A calibration word the file carries at the chip's calibration address:
  // never written to the chip, which keeps its own.
  std::optional<std::uint16_t> fileCalibration;
  // The calibration word last read from the chip's calibration address
  // (2008h on the PIC12F683 family); unknown until read.
  std::optional<std::uint16_t> chipCalibration;
  std::array<std::uint16_t, 4> ids;
  std::array<std::uint8_t, kMaxDataBytes> data;
  std::array<std::uint8_t, kMaxDataBytes> dataEdit;  // the data memory editor's copy

  Buffer() {
    program.fill(kBlankWord);
    disassembly.fill(kBlankWord);
    ids.fill(kBlankWord);
    data.fill(kBlankByte);
    dataEdit.fill(kBlankByte);
  }
};

// Whether no ID word is set.
inline bool allIdsBlank(const Buffer& buffer) {
  for (std::uint16_t id : buffer.ids)
    if (id != kBlankWord) return false;
  return true;
}

// The state every operation frame shares.
struct OperationState {
  bool ok = true;            // no failure in the running operation so far
  std::int64_t startMs = 0;  // operation start time (ms since midnight)
};

}  // namespace kalmar
