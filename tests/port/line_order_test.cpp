#include "port/line_order.h"

#include <gtest/gtest.h>

namespace kalmar::testing {
namespace {

using States = std::vector<std::uint8_t>;

// D0 data pulled low, D1 clock held low, D2/D3 supplies off (all inverted).
TEST(OneLineAtATime, ClockEdgeBeforeDataAndSuppliesAroundBoth) {
  // Clock falls (D1 0->1) as data is released (D0 1->0): the edge first,
  // so the chip still sees the bit it latches.
  EXPECT_EQ(oneLineAtATime(0x01, 0x02), (States{0x03, 0x02}));
  // Clock rises with new data: the edge first here too.
  EXPECT_EQ(oneLineAtATime(0x02, 0x01), (States{0x00, 0x01}));
  // Leaving: VPP off, then VDD, then the clock.
  EXPECT_EQ(oneLineAtATime(0x01, 0x0F), (States{0x05, 0x0D, 0x0F}));
  // Entering: clock and data low first, then the supply.
  EXPECT_EQ(oneLineAtATime(0x0C, 0x07), (States{0x0E, 0x0F, 0x07}));
}

TEST(OneLineAtATime, OneStateWhenAtMostOneLineChanges) {
  EXPECT_EQ(oneLineAtATime(0x00, 0x02), States{0x02});
  EXPECT_EQ(oneLineAtATime(0x05, 0x05), States{0x05});
  // Bits above the four lines go with the last step.
  EXPECT_EQ(oneLineAtATime(0x01, 0xF2), (States{0x03, 0xF2}));
}

}  // namespace
}  // namespace kalmar::testing
