#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace kalmar::desktop {

// A picture as both window front ends take it: rows from the top, each
// pixel 0xAARRGGBB with straight (not premultiplied) alpha.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  bool empty() const { return pixels.empty(); }
};

// The speed buttons' pictures by component name ("SpeedButton7", ...), at
// `size` pixels square (16 for the buttons, more on a high-DPI screen);
// empty for a name without one, and for a size outside 1..256.
Picture speedButtonPicture(std::string_view name, int size);
// A picture as a disabled button shows it: grey, and a third as opaque.
Picture fadedPicture(const Picture& picture);
// The program's own icon: a chip in a socket; empty for a size outside
// 1..256.
Picture programPicture(int size);

}  // namespace kalmar::desktop
