#pragma once

#include <cstddef>
#include <cstdint>

namespace kalmar::fuzz {

// Each takes any bytes and must neither crash nor touch memory it does not
// own, whatever they hold. The first byte of a HEX input picks the chip.
void loadHex(const std::uint8_t* data, std::size_t size);
void parseSettingsFile(const std::uint8_t* data, std::size_t size);
void parseChipFile(const std::uint8_t* data, std::size_t size);

}  // namespace kalmar::fuzz
