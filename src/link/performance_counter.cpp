#include "link/performance_counter.h"

#include <time.h>

#include <cerrno>

namespace kalmar {

std::int64_t RealPerformanceCounter::counter() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

namespace {
constexpr std::int64_t kSleepFromNs = 1'000'000;
// A wake-up comes this much before the target at most; the scheduler's
// lateness beyond it only lengthens the wait.
constexpr std::int64_t kSpinMarginNs = 200'000;
}  // namespace

void RealPerformanceCounter::spinUntil(std::int64_t target) {
  const std::int64_t wake = target - kSpinMarginNs;
  if (target - counter() >= kSleepFromNs) {
    timespec until{};
    until.tv_sec = static_cast<time_t>(wake / 1'000'000'000);
    until.tv_nsec = static_cast<long>(wake % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
  }
  while (counter() <= target) {
  }
}

}  // namespace kalmar
