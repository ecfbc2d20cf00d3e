#pragma once

#include <cstdint>
#include <vector>

namespace kalmar {

// The adapter states that take the lines from one line byte to the next one
// line at a time, for a device that sets several lines of one update in an
// order of its own (a GPIO driver sets them one by one, by line number).
// The parallel port and the FT232R change all four at once, as the chip
// needs; a line at a time, the order is:
//   1. a supply switched off, VPP before VDD: the chip leaves programming
//      mode before the clock or data can move;
//   2. the clock;
//   3. the data line: released with a falling edge it still holds the bit
//      at the edge, and it never moves just before one;
//   4. a supply switched on, once clock and data stand where entry wants them.
// The last state is `next`; it is alone when at most one line changes.
std::vector<std::uint8_t> oneLineAtATime(std::uint8_t previous, std::uint8_t next);

}  // namespace kalmar
