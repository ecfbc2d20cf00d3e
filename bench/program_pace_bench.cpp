// "program" of three real files on simulated chips in simulated time, from
// the first to the last port access, against the floor: the sum of the
// chip's own cycle times (its catalogue row) for the cells the file needs
// (program words that are not 3FFFh, data bytes that are not FFh, IDs the
// file sets, the configuration word) and the two bulk erases. Port accesses
// cost 500 ns, as through ppdev on a real port.
#include <cstdio>
#include <filesystem>
#include <string>

#include "device/catalogue.h"
#include "device/chip_selection.h"
#include "device/startup.h"
#include "files/hex_load.h"
#include "link/line_protocol.h"
#include "memory/program_chip.h"
#include "memory/programming_cycle.h"
#include "port/recording_port.h"
#include "port/sim_port.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"

namespace {

using namespace kalmar;
using namespace kalmar::testing;

constexpr std::int64_t kPortAccessNs = 500;

struct Case {
  const char* chip;
  const char* file;
};

double floorSeconds(const TForm1& form) {
  const DeviceProfile& chip = form.chip.profile;
  const auto time = [&chip](Cycle cycle) { return cycleMicros(chip, cycle); };
  double us = 2.0 * time(Cycle::BulkErase) + time(Cycle::ConfigWord);
  for (int i = 0; i < chip.programWords; ++i)
    if (form.buffer.program[static_cast<std::size_t>(i)] != kBlankWord)
      us += time(Cycle::ProgramWord);
  for (int i = 0; i < chip.dataBytes; ++i)
    if (form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte) us += time(Cycle::DataByte);
  for (std::uint16_t id : form.buffer.ids)
    if (id != kBlankWord) us += time(Cycle::ConfigWord);
  return us * 1e-6;
}

void run(const Case& c, const std::filesystem::path& data) {
  const std::filesystem::path file = data / c.chip / c.file;
  if (!std::filesystem::exists(file)) {
    std::printf("%-11s no file %s\n", c.chip, file.string().c_str());
    return;
  }
  sim::SimChip chip(*sim::chipKindFromName(c.chip));
  sim::SimAdapter adapter(chip);
  VirtualPerformanceCounter counter(1'000'000'000, kPortAccessNs);
  SimPort simPort(adapter, [&counter] { return counter.counter(); });
  RecordingPort recorder(&simPort, [&counter] { return counter.counter(); });
  VirtualTimePort port(recorder, counter);
  TimingState timing(counter);
  LineProtocol line(port, timing);
  FakeHost host;
  host.defaultAnswer = MessageResult::Ok;
  FakePlatform platform;
  platform.realFiles = true;
  platform.directory = "/nonexistent";
  TForm1 form(host, platform, line);
  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  selectChipByName(form, c.chip);
  if (!loadHexFile(form, file.string())) return;
  const double floor = floorSeconds(form);
  recorder.clear();
  const Outcome outcome = programChip(form, "done");
  const auto& accesses = recorder.accesses();
  const double seconds =
      accesses.empty() ? 0 : (accesses.back().time - accesses.front().time) * 1e-9;
  std::printf("%-11s program %6.2f s  floor %5.2f s  ratio %4.2f  %s, violations %zu\n", c.chip,
              seconds, floor, seconds / floor, outcome ? "verified" : "FAILED",
              adapter.log().violations());
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path data =
      argc > 1 ? argv[1] : std::filesystem::path(KALMAR_TESTDATA_DIR);
  for (const Case& c : {
           Case{"PIC16F628A",
                "StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex"},
           Case{"PIC16F84A", "mit41301__PIC16F84__CODESLOT.HEX"},
           Case{"PIC12F675", "Nonoum__LP_MPPT_PIC12F675__pic12f675_lp_mppt__1_3_198.F.hex"},
           Case{"PIC16F648A", "7m4mon__pic16f648a-bert__BERT.hex"},
           Case{"PIC16F676", "rasberryrabbit__16F676MPPT__16f676MPPT.hex"},
       })
    run(c, data);
  return 0;
}
