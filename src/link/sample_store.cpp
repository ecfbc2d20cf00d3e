#include "link/sample_store.h"

namespace kalmar {

SampleStore::SampleStore(std::size_t words, bool singleWord)
    : words_(words * kBitsPerWord, 0), singleWord_(singleWord) {}

void SampleStore::store(std::uint8_t bit) {
  if (bit_ >= 1 && bit_ <= kBitsPerWord && word_ < capacity())
    words_[word_ * kBitsPerWord + static_cast<std::size_t>(bit_ - 1)] = bit;
  ++bit_;
  if (bit_ > kBitsPerWord && !singleWord_) {
    bit_ = 1;
    ++word_;
  }
}

std::uint8_t SampleStore::bit(std::size_t word, int k) const {
  if (k < 1 || k > kBitsPerWord || word >= capacity()) return 0;
  return words_[word * kBitsPerWord + static_cast<std::size_t>(k - 1)];
}

std::uint16_t SampleStore::word(std::size_t index) const {
  if (index >= capacity()) return 0;
  return assembleWord(&words_[index * kBitsPerWord]);
}

std::uint16_t assembleWord(const std::uint8_t* samples) {
  std::uint16_t value = 0;
  for (int k = 0; k < kBitsPerWord; ++k)
    value = static_cast<std::uint16_t>((value >> 1) + ((samples[k] & 1) << 13));
  return value;
}

}  // namespace kalmar
