#include "link/performance_counter.h"

#include <time.h>

namespace kalmar {

std::int64_t RealPerformanceCounter::counter() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void RealPerformanceCounter::spinUntil(std::int64_t target) {
  while (counter() <= target) {
  }
}

}  // namespace kalmar
