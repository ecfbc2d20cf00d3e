#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kalmar {

inline constexpr int kBitsPerWord = 14;

// Bits sampled from the chip, one byte (0 or 1) per bit, kept per word and
// assembled into words afterwards. A single-word store stays on its one word
// (the caller rewinds it before each read frame); a multi-word store moves to
// the next word after bit 14. Samples beyond the store's capacity are
// dropped, never written outside it.
class SampleStore {
 public:
  SampleStore(std::size_t words, bool singleWord);

  // Back to word 1, bit 1.
  void rewind() {
    word_ = 0;
    bit_ = 1;
  }
  // Sets the running bit position (1..14) of the current word.
  void setBitPosition(int bit) { bit_ = bit; }
  void store(std::uint8_t bit);

  int bitPosition() const { return bit_; }
  std::size_t wordPosition() const { return word_; }  // 0-based
  std::size_t capacity() const { return words_.size() / kBitsPerWord; }

  // Sample k (1..14) of word w (0-based).
  std::uint8_t bit(std::size_t word, int k) const;
  std::uint16_t word(std::size_t index) const;

  // Rows of 8 words as the program memory read fills them; all 1-based.
  std::uint8_t rowBit(std::size_t row, std::size_t wordInRow, int k) const {
    return bit((row - 1) * 8 + (wordInRow - 1), k);
  }

 private:
  std::vector<std::uint8_t> words_;
  bool singleWord_;
  std::size_t word_ = 0;
  int bit_ = 1;
};

// Builds a word from 14 samples b1..b14 (b1 sampled first becomes bit 0), by
// the shifting the program has always used: v = (v >> 1) + (bk << 13).
std::uint16_t assembleWord(const std::uint8_t* samples);

}  // namespace kalmar
