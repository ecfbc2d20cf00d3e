#pragma once

#include <cstdint>

namespace kalmar::desktop {

// Colours are kept as 00BBGGRR.
inline int redOf(std::uint32_t c) { return static_cast<int>(c & 0xFF); }
inline int greenOf(std::uint32_t c) { return static_cast<int>((c >> 8) & 0xFF); }
inline int blueOf(std::uint32_t c) { return static_cast<int>((c >> 16) & 0xFF); }
inline std::uint32_t colourValue(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) | (static_cast<std::uint32_t>(green) << 8) |
         (static_cast<std::uint32_t>(blue) << 16);
}

// The schemes "Светлая 1" and "Светлая 2" colour text in pastel shades,
// which would vanish on a white field: a light text gets a dark field.
inline bool isLight(std::uint32_t c) {
  return 0.299 * redOf(c) + 0.587 * greenOf(c) + 0.114 * blueOf(c) > 0.55 * 255;
}
inline constexpr std::uint32_t kDarkField = 0x302826;  // rgb(38, 40, 48)
inline constexpr std::uint32_t kWhiteField = 0xFFFFFF;
inline std::uint32_t fieldFor(std::uint32_t text) { return isLight(text) ? kDarkField : kWhiteField; }
// The window's own background under a light text: the dark field, lightened
// by 30% as a panel is.
inline std::uint32_t panelFor(std::uint32_t text) {
  const std::uint32_t f = fieldFor(text);
  auto lift = [](int v) { return v * 13 / 10 > 255 ? 255 : v * 13 / 10; };
  return colourValue(lift(redOf(f)), lift(greenOf(f)), lift(blueOf(f)));
}

}  // namespace kalmar::desktop
