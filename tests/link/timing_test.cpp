#include "link/timing.h"

#include <gtest/gtest.h>

#include "link/slowdown.h"

namespace kalmar::testing {
namespace {

TEST(Timing, UnitIsEightMicrosecondsStretchedBySlowdown) {
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  timing.calibrate();
  EXPECT_EQ(timing.unitCounts(), 8000);
  timing.setSlowdownFactor(5.0);
  EXPECT_EQ(timing.unitCounts(), 40000);
  std::int64_t start = counter.counter();
  timing.Paus(500);
  EXPECT_EQ(counter.counter() - start, 20'000'001) << "20 ms, and past the target";
}

TEST(Timing, CoarseCounterGetsAUnitOfExactlyEightCounts) {
  for (std::int64_t frequency : {500'000, 100'000, 3'579'545 / 8}) {
    VirtualPerformanceCounter counter(frequency);
    TimingState timing(counter);
    timing.calibrate();
    EXPECT_EQ(timing.unitCounts(), 8) << frequency;
    timing.setSlowdownFactor(1.5);
    EXPECT_EQ(timing.unitCounts(), 12) << frequency;
  }
  VirtualPerformanceCounter usual(3'579'545);
  TimingState timing(usual);
  timing.calibrate();
  EXPECT_DOUBLE_EQ(timing.baseUnit(), 8e-6) << "a fine counter keeps 8 us";
  EXPECT_EQ(timing.unitCounts(), 29);
}

TEST(Timing, CountsRoundHalfToEven) {
  VirtualPerformanceCounter counter(250'000);  // 2 counts per unit before calibration
  TimingState timing(counter);
  timing.setSlowdownFactor(1.25);  // 2.5 counts
  EXPECT_EQ(timing.unitCounts(), 2);
  timing.setSlowdownFactor(1.75);  // 3.5 counts
  EXPECT_EQ(timing.unitCounts(), 4);
}

TEST(Timing, Paus1CountsFromTheCallersReading) {
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  counter.advance(3000);
  timing.Paus1(0);
  EXPECT_EQ(counter.counter(), 8001);
  counter.advance(20000);  // already past: no further wait
  timing.Paus1(0);
  EXPECT_EQ(counter.counter(), 28001);
}

TEST(SlowdownMenu, MovesTheMarkAndSetsTheFactor) {
  VirtualPerformanceCounter counter;
  TimingState timing(counter);
  SlowdownMenuState menu;
  EXPECT_EQ(menu.N42.Caption, "^ Без замедления");
  EXPECT_EQ(menu.N201.Caption, "  На 20%");

  N2001Click(menu, timing);
  EXPECT_DOUBLE_EQ(timing.SlowdownFactor(), 3.0);
  EXPECT_EQ(menu.N2001.Caption, "^ В три раза");
  EXPECT_EQ(menu.N42.Caption, "  Без замедления");
  SlowdownMenuState afterFirst = menu;
  N2001Click(menu, timing);
  EXPECT_EQ(menu.N2001.Caption, afterFirst.N2001.Caption);
  EXPECT_EQ(menu.N42.Caption, afterFirst.N42.Caption);

  struct Case {
    void (*click)(SlowdownMenuState&, TimingState&);
    MenuItem SlowdownMenuState::*item;
    const char* caption;
    double factor;
  };
  for (Case c : {Case{N201Click, &SlowdownMenuState::N201, "^ На 20%", 1.2},
                 Case{N501Click, &SlowdownMenuState::N501, "^ На 50%", 1.5},
                 Case{N1001Click, &SlowdownMenuState::N1001, "^ В два раза", 2.0},
                 Case{N5001Click, &SlowdownMenuState::N5001, "^ В пять раз", 5.0},
                 Case{N42Click, &SlowdownMenuState::N42, "^ Без замедления", 1.0}}) {
    c.click(menu, timing);
    EXPECT_EQ((menu.*c.item).Caption, c.caption);
    EXPECT_DOUBLE_EQ(timing.SlowdownFactor(), c.factor);
    int marked = 0;
    for (auto* item : {&menu.N201, &menu.N501, &menu.N1001, &menu.N2001, &menu.N5001, &menu.N42})
      marked += item->Caption.rfind("^ ", 0) == 0;
    EXPECT_EQ(marked, 1);
  }
  EXPECT_FALSE(selectSlowdownFactor(menu, timing, 4.0));
  EXPECT_TRUE(selectSlowdownFactor(menu, timing, 1.5));
  EXPECT_EQ(menu.N501.Caption, "^ На 50%");
}

}  // namespace
}  // namespace kalmar::testing
