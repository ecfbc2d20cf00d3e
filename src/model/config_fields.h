#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "model/device_profile.h"

namespace kalmar {

// One setting of a configuration field: the field's bits as the datasheet
// gives them, and what they mean. "{out}" and "{in}" in a label stand for
// the chip's oscillator pins (CLKOUT, CLKIN), so chips of one family with
// other pin names share a table.
struct ConfigChoice {
  std::uint16_t value;  // within the field's mask
  const char* label;
};

// A field of a configuration word by its datasheet name (FOSC, WDTE, ...),
// with every setting the chip has.
struct ConfigField {
  const char* name;
  int word;  // 0: the word at 2007h, 1: the one at 2008h
  std::uint16_t mask;
  std::span<const ConfigChoice> choices;
};

// A chip's configuration words as fields: how many words, the bits each
// implements (the others read 0; an erased word reads these bits set), and
// every field. Chips whose panels are drawn from their fields point at one.
struct ConfigSpace {
  int words = 1;
  std::array<std::uint16_t, 2> implemented{0x3FFF, 0};
  std::span<const ConfigField> fields;

  std::uint16_t blank(int word) const { return implemented[static_cast<std::size_t>(word)]; }
};

// The setting a word holds in a field; -1 when its bits are none of them.
inline int choiceIndex(const ConfigField& field, std::uint16_t word) {
  for (std::size_t i = 0; i < field.choices.size(); ++i)
    if ((word & field.mask) == field.choices[i].value) return static_cast<int>(i);
  return -1;
}

// The word with a field set to its choice `index`, every other bit kept.
inline std::uint16_t withChoice(const ConfigField& field, std::uint16_t word, int index) {
  const std::uint16_t value = field.choices[static_cast<std::size_t>(index)].value;
  return static_cast<std::uint16_t>((word & ~field.mask) | (value & field.mask));
}

// A choice's label with the chip's oscillator pins put in.
inline std::string choiceLabel(const ConfigChoice& choice, const OscillatorPins& pins) {
  std::string text = choice.label;
  for (const auto& [mark, pin] : {std::pair{std::string_view("{out}"), pins.clockOut},
                                  std::pair{std::string_view("{in}"), pins.clockIn}})
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
      text.replace(at, mark.size(), pin);
  return text;
}

}  // namespace kalmar
