// Line step timing on the real monotonic counter: how close the steps come to
// the theoretical time, and whether any hold ever falls short of one unit,
// stepped one by one and run as frames the way the commands send them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "link/line_protocol.h"
#include "link/performance_counter.h"
#include "port/recording_port.h"

namespace {

using namespace kalmar;

struct StepFigures {
  double ratio;     // measured wall time / (steps x U)
  double shortest;  // shortest hold, in units
  double longest;
};

StepFigures measureSteps(int steps, double slowdown, bool asFrames) {
  RealPerformanceCounter counter;
  NonePort none;
  RecordingPort port(&none, [&] { return counter.counter(); });
  TimingState timing(counter);
  timing.calibrate();
  timing.setSlowdownFactor(slowdown);
  LineProtocol line(port, timing);
  const std::uint8_t pattern[] = {0x03, 0x01, 0x00, 0x02};
  std::vector<std::uint8_t> sequence;
  for (int i = 0; i < steps; ++i) sequence.push_back(pattern[i % 4]);

  std::int64_t start = counter.counter();
  if (asFrames)
    line.runSteps(sequence);
  else
    for (std::uint8_t byte : sequence) line.step(byte);
  std::int64_t end = counter.counter();

  const double unit = static_cast<double>(timing.unitCounts());
  std::vector<std::int64_t> writes;
  for (const PortAccess& access : port.accesses()) writes.push_back(access.time);
  writes.push_back(end);
  double shortest = 1e9, longest = 0;
  for (std::size_t i = 1; i < writes.size(); ++i) {
    double hold = static_cast<double>(writes[i] - writes[i - 1]) / unit;
    shortest = std::min(shortest, hold);
    longest = std::max(longest, hold);
  }
  return {static_cast<double>(end - start) / (steps * unit), shortest, longest};
}

void BM_LineStep(benchmark::State& state) {
  StepFigures figures{};
  for (auto _ : state) figures = measureSteps(10'000, 1.0, state.range(0) != 0);
  state.counters["wall_over_theory"] = figures.ratio;
  state.counters["shortest_hold_units"] = figures.shortest;
  state.counters["longest_hold_units"] = figures.longest;
}
BENCHMARK(BM_LineStep)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("frames")
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  for (bool asFrames : {false, true}) {
    for (double slowdown : {1.0, 5.0}) {
      StepFigures figures = measureSteps(10'000, slowdown, asFrames);
      std::printf(
          "10000 line steps %s, slow-down %.1f: wall/theory %.4f, shortest hold %.3f units, "
          "longest %.2f units%s\n",
          asFrames ? "as frames" : "one by one", slowdown, figures.ratio, figures.shortest,
          figures.longest, figures.shortest < 1.0 ? "  SHORT HOLD!" : "");
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
