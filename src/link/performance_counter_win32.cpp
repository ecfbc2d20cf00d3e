#include <windows.h>

#include "link/performance_counter.h"

namespace kalmar {

namespace {
std::int64_t countsPerSecond() {
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}
}  // namespace

// Windows' performance counter, told in nanoseconds like the monotonic clock
// elsewhere (whole seconds and the rest apart, so nothing overflows).
std::int64_t RealPerformanceCounter::counter() {
  static const std::int64_t perSecond = countsPerSecond();
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const std::int64_t seconds = now.QuadPart / perSecond;
  const std::int64_t rest = now.QuadPart % perSecond;
  return seconds * 1'000'000'000 + rest * 1'000'000'000 / perSecond;
}

void RealPerformanceCounter::spinUntil(std::int64_t target) {
  while (counter() <= target) {
  }
}

}  // namespace kalmar
