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

namespace {

constexpr std::int64_t kSleepFromNs = 3'000'000;
// Sleep(n) at a 1 ms tick returns within about a millisecond after n; the
// rest of a wait is spun.
constexpr std::int64_t kSpinMarginNs = 2'000'000;

// The system's tick is 15.6 ms unless a program asks for 1 ms
// (timeBeginPeriod, in winmm.dll on every Windows the program runs on;
// looked up when first needed, so the program imports nothing more).
bool millisecondTick() {
  static const bool fine = [] {
    HMODULE winmm = LoadLibraryW(L"winmm.dll");
    if (winmm == nullptr) return false;
    using Begin = UINT(WINAPI*)(UINT);
    const auto begin = reinterpret_cast<Begin>(
        reinterpret_cast<void (*)()>(GetProcAddress(winmm, "timeBeginPeriod")));
    return begin != nullptr && begin(1) == 0;  // TIMERR_NOERROR
  }();
  return fine;
}

}  // namespace

// A wait of 3 ms or more sleeps all but its last 2 ms when the tick is a
// millisecond, so the processor is free through programming cycles; no wait
// ends early.
void RealPerformanceCounter::spinUntil(std::int64_t target) {
  const std::int64_t left = target - counter();
  if (left >= kSleepFromNs && millisecondTick())
    Sleep(static_cast<DWORD>((left - kSpinMarginNs) / 1'000'000));
  while (counter() <= target) {
  }
}

}  // namespace kalmar
