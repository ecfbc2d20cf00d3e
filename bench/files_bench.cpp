// CPU time to load, disassemble and export a full 2048-word HEX file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <fstream>

#include "device/chip_selection.h"
#include "files/hex_load.h"
#include "files/hex_writer.h"
#include "files/listing_command.h"
#include "files/listing_export.h"
#include "support/form_rig.h"

namespace {

using namespace kalmar;
using namespace kalmar::testing;

double cpuMs() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

struct Steps {
  double loadMs, disassembleMs, exportMs;
};

Steps runOnce() {
  FormRig rig(sim::ChipKind::PIC16F628A);
  rig.start();
  selectChipByName(rig.form, "PIC16F628A");
  Buffer image;
  for (std::size_t i = 0; i < image.program.size(); ++i)
    image.program[i] = static_cast<std::uint16_t>((i * 2654435761u >> 7) % 0x3FFF);
  image.config = 0x3F18;
  const std::string hexPath = (rig.directory / "full.hex").string();
  std::ofstream(hexPath, std::ios::binary) << bufferToHex(image, 2048, 128);

  Steps steps{};
  double t0 = cpuMs();
  loadHexFile(rig.form, hexPath);
  double t1 = cpuMs();
  Button18Click(rig.form);
  double t2 = cpuMs();
  exportListing(rig.form, (rig.directory / "full.asm").string());
  double t3 = cpuMs();
  steps = {t1 - t0, t2 - t1, t3 - t2};
  return steps;
}

void BM_LoadDisassembleExport(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(runOnce());
}
BENCHMARK(BM_LoadDisassembleExport)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  Steps steps = runOnce();
  std::printf("2048-word file: load %.2f ms, disassemble %.2f ms, export %.2f ms CPU\n",
              steps.loadMs, steps.disassembleMs, steps.exportMs);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
