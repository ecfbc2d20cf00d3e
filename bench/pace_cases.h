#pragma once

// The files the pace benches program, and the floor they are measured
// against: the sum of the chip's own cycle times (its catalogue row) for
// the cells the file needs (program words that are not 3FFFh, data bytes
// that are not FFh, IDs the file sets, the configuration word) and the two
// bulk erases; on a chip with write latches, its rows and the clocks
// every programmer needs as well.
#include <string>

#include "device/chip_selection.h"
#include "device/startup.h"
#include "files/hex_load.h"
#include "link/line_protocol.h"
#include "memory/programming_cycle.h"
#include "model/form1.h"
#include "port/recording_port.h"
#include "port/sim_port.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"

namespace kalmar::bench {

struct PaceCase {
  const char* chip;
  const char* file;
};

inline constexpr PaceCase kPace628A{
    "PIC16F628A", "StarNiell__PIC16F628A_AS_DL4YHF.X__PIC16F628A_AS_DL4YHF.X.production.hex"};
inline constexpr PaceCase kPace84A{"PIC16F84A", "mit41301__PIC16F84__CODESLOT.HEX"};
inline constexpr PaceCase kPace675{"PIC12F675",
                                   "Nonoum__LP_MPPT_PIC12F675__pic12f675_lp_mppt__1_3_198.F.hex"};

// A chip with write latches: the cycles of the rows that hold a word,
// each ended with End Programming and its discharge time, and the clocks
// no programmer can avoid, each clock two line changes of 1 µs: a command
// is 6 clocks, a data frame 16, Increment Address over every word.
inline double latchedFloorMicros(const TForm1& form) {
  const DeviceProfile& chip = form.chip.profile;
  constexpr double kClockUs = 2.0, kDischargeUs = 100.0;
  constexpr int kCommand = 6, kFrame = 16;
  double us = chip.erase == EraseSequence::ChipErase
                  ? chip.cycles.chipEraseUs
                  : chip.cycles.bulkEraseUs * (chip.dataBytes > 0 ? 2.0 : 1.0);
  const double ended = chip.beginProgrammingEnded ? kDischargeUs : 0;
  us += chip.configWords * (cycleMicros(chip, Cycle::ConfigWord) + ended);
  us += kClockUs * kCommand * (chip.programWords + chip.dataBytes);  // Increment Address
  for (int row = 0; row < chip.programWords; row += chip.rowWords) {
    bool written = false;
    for (int i = row; i < row + chip.rowWords; ++i)
      written = written || form.buffer.program[static_cast<std::size_t>(i)] != kBlankWord;
    if (written)
      us += chip.cycles.programOnlyUs + kDischargeUs +
            kClockUs * (chip.rowWords * (kCommand + kFrame) + 2 * kCommand);
  }
  for (int i = 0; i < chip.dataBytes; ++i)
    if (form.buffer.data[static_cast<std::size_t>(i)] != kBlankByte)
      us += cycleMicros(chip, Cycle::DataByte) + ended + kClockUs * (2 * kCommand + kFrame);
  for (std::uint16_t id : form.buffer.ids)
    if (id != kBlankWord) us += cycleMicros(chip, Cycle::ConfigWord) + ended;
  return us;
}

inline double floorSeconds(const TForm1& form) {
  const DeviceProfile& chip = form.chip.profile;
  if (chip.rowWords > 1) return latchedFloorMicros(form) * 1e-6;
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

// A simulated chip of the case's kind in simulated time (port accesses
// cost 500 ns, as through ppdev on a real port), its window started with
// the chip selected, every access recorded.
struct PaceRig {
  static constexpr std::int64_t kPortAccessNs = 500;

  explicit PaceRig(const PaceCase& c)
      : chip(*sim::chipKindFromName(c.chip)),
        adapter(chip),
        counter(1'000'000'000, kPortAccessNs),
        simPort(adapter, [this] { return counter.counter(); }),
        recorder(&simPort, [this] { return counter.counter(); }),
        port(recorder, counter),
        timing(counter),
        line(port, timing),
        form(host, platform, line) {
    host.defaultAnswer = MessageResult::Ok;
    platform.realFiles = true;
    platform.directory = "/nonexistent";
    FormCreate(form);
    readSettingsAndStart(form);
    FormActivate(form);
    selectChipByName(form, c.chip);
  }
  bool load(const std::string& file) { return loadHexFile(form, file); }

  sim::SimChip chip;
  sim::SimAdapter adapter;
  VirtualPerformanceCounter counter;
  SimPort simPort;
  RecordingPort recorder;
  VirtualTimePort port;
  TimingState timing;
  LineProtocol line;
  testing::FakeHost host;
  testing::FakePlatform platform;
  TForm1 form;
};

}  // namespace kalmar::bench
