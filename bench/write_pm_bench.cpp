// "Запись PM" of a PIC16F628A (2048 words: write, verify, configuration) on
// the simulated chip with the real clock at slow-down 1.0, against the
// protocol's own minimum: the same command on virtual time with free port
// accesses, which is exactly the sum of every hold and pause it makes.
#include <cstdio>
#include <memory>

#include "device/chip_selection.h"
#include "device/startup.h"
#include "link/line_protocol.h"
#include "memory/program_write.h"
#include "port/sim_port.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"

namespace {

using namespace kalmar;
using namespace kalmar::testing;

struct Run {
  double seconds;
  bool ok;
  std::size_t violations;
};

Run writeProgramMemory(PerformanceCounter& counter) {
  sim::SimChip chip(sim::ChipKind::PIC16F628A);
  sim::SimAdapter adapter(chip);
  const double nsPerCount = 1e9 / static_cast<double>(counter.frequency());
  SimPort port(adapter, [&] {
    return static_cast<std::int64_t>(static_cast<double>(counter.counter()) * nsPerCount);
  });
  TimingState timing(counter);
  LineProtocol line(port, timing);
  FakeHost host;
  FakePlatform platform;
  platform.realFiles = false;
  platform.directory = "/nonexistent";
  TForm1 form(host, platform, line);
  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  selectChipByName(form, "PIC16F628A");
  for (std::size_t i = 0; i < 2048; ++i)
    form.buffer.program[i] = static_cast<std::uint16_t>((i * 2654435761u >> 9) & 0x3FFF);

  const std::int64_t start = counter.counter();
  Button7Click(form);
  const double seconds = static_cast<double>(counter.counter() - start) / counter.frequency();
  return {seconds, form.operation.ok, adapter.log().violations()};
}

}  // namespace

int main() {
  VirtualPerformanceCounter virtualCounter;
  const Run minimum = writeProgramMemory(virtualCounter);
  RealPerformanceCounter realCounter;
  const Run real = writeProgramMemory(realCounter);
  std::printf(
      "PIC16F628A \"Запись PM\" (write, verify, configuration): %.3f s measured, %.3f s protocol "
      "minimum, ratio %.4f (target at most 1.02); %s, %zu timing violations\n",
      real.seconds, minimum.seconds, real.seconds / minimum.seconds,
      real.ok && minimum.ok ? "chip verified" : "FAILED", real.violations);
  return real.ok && minimum.ok ? 0 : 1;
}
