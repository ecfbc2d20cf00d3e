// "program" of real files on simulated chips in simulated time, from the
// first to the last port access, against the floor of the chips' own cycle
// times (pace_cases.h). Port accesses cost 500 ns, as through ppdev on a
// real port.
#include <cstdio>
#include <filesystem>
#include <string>

#include "memory/program_chip.h"
#include "pace_cases.h"

namespace {

using namespace kalmar;
using namespace kalmar::testing;

using Case = bench::PaceCase;
using bench::floorSeconds;

void run(const Case& c, const std::filesystem::path& data) {
  const std::filesystem::path file = data / c.chip / c.file;
  if (!std::filesystem::exists(file)) {
    std::printf("%-11s no file %s\n", c.chip, file.string().c_str());
    return;
  }
  bench::PaceRig rig(c);
  if (!rig.load(file.string())) return;
  TForm1& form = rig.form;
  RecordingPort& recorder = rig.recorder;
  const double floor = floorSeconds(form);
  recorder.clear();
  const Outcome outcome = programChip(form, "done");
  const auto& accesses = recorder.accesses();
  const double seconds =
      accesses.empty() ? 0 : (accesses.back().time - accesses.front().time) * 1e-9;
  std::printf("%-11s program %6.2f s  floor %5.2f s  ratio %4.2f  %s, violations %zu\n", c.chip,
              seconds, floor, seconds / floor, outcome ? "verified" : "FAILED",
              rig.adapter.log().violations());
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path data =
      argc > 1 ? argv[1] : std::filesystem::path(KALMAR_TESTDATA_DIR);
  for (const Case& c : {
           bench::kPace628A,
           bench::kPace84A,
           bench::kPace675,
           Case{"PIC16F648A", "7m4mon__pic16f648a-bert__BERT.hex"},
           Case{"PIC16F676", "rasberryrabbit__16F676MPPT__16f676MPPT.hex"},
       })
    run(c, data);
  // The chips with write latches, from the project's own programs: every
  // word, byte and ID of the chip.
  const std::filesystem::path programs =
      argc > 2 ? argv[2] : std::filesystem::path(KALMAR_PROGRAMS_DIR);
  for (const Case& c : {Case{"PIC16F88", "filled.hex"}, Case{"PIC12F683", "filled.hex"},
                        Case{"PIC16F716", "filled.hex"}, Case{"PIC16F690", "filled.hex"},
                        Case{"PIC16F877A", "filled.hex"}, Case{"PIC16F886", "filled.hex"}})
    run(c, programs);
  return 0;
}
