#include "memory/programming_cycle.h"

#include <algorithm>

namespace kalmar {

namespace {

constexpr int kWindowCycleUnits = 1000;
constexpr int kWindowCycleMicros = 8000;  // the same 1000 units of 8 µs
// TDIS, after End Programming and before the next command (DS40245, DS41204).
constexpr int kEndDischargeMicros = 100;

bool usesProgramOnly(const DeviceProfile& chip) {
  return chip.programOnlyCommand && chip.cycles.programOnlyUs > 0;
}

}  // namespace

int cycleMicros(const DeviceProfile& chip, Cycle cycle) {
  switch (cycle) {
    case Cycle::ProgramWord:
      return usesProgramOnly(chip) ? chip.cycles.programOnlyUs : chip.cycles.programWordUs;
    case Cycle::DataByte:
      return chip.cycles.dataByteUs;
    case Cycle::BulkErase:
      return chip.cycles.bulkEraseUs;
    case Cycle::ConfigWord:
      return chip.cycles.configWordUs;
  }
  return chip.cycles.programWordUs;
}

// The adapter of Shema.htm has VPP on the first switch (D2) and VDD on the
// second (D3). Chips that want VPP before VDD (a chip set to run from its
// internal oscillator with MCLR as an input could start its program
// otherwise) get it; the catalogue row says which.
ChipsOwnPace::ChipsOwnPace(ChipSession& chip)
    : chip_(chip), fast_(chip.line), secondSupplyFirstBefore_(chip.line.secondSupplyFirst()) {
  chip.chipsOwnPace = true;
  chip.line.setSecondSupplyFirst(chip.profile.vddBeforeVpp);
}

ChipsOwnPace::~ChipsOwnPace() {
  chip_.chipsOwnPace = false;
  chip_.line.setSecondSupplyFirst(secondSupplyFirstBefore_);
}

void waitCycle(ChipSession& chip, Cycle cycle) {
  if (chip.chipsOwnPace)
    chip.line.PausMicros(cycleMicros(chip.profile, cycle));
  else
    chip.line.Paus(kWindowCycleUnits);
}

void waitOwnCycle(ChipSession& chip, int micros) {
  chip.line.PausMicros(chip.chipsOwnPace ? micros : std::max(micros, kWindowCycleMicros));
}

void endProgramming(ChipSession& chip) {
  chip.line.SendCommand(chip.profile.endCommand);
  chip.line.PausMicros(kEndDischargeMicros);
}

void programRow(ChipSession& chip) {
  chip.line.SendCommand(command::kBeginProgrammingOnly);
  waitOwnCycle(chip, chip.profile.cycles.programOnlyUs);
  endProgramming(chip);
}

namespace {

// A word's cycle on a chip with End Programming: 08h or 18h as the chip
// has them; 18h always runs until End Programming, 08h where the row says.
void runWordCycle(ChipSession& chip, Cycle cycle) {
  const DeviceProfile& profile = chip.profile;
  const std::uint8_t begin = profile.wordCycleCommand;
  chip.line.SendCommand(begin);
  waitOwnCycle(chip, cycleMicros(profile, cycle));
  if (begin == command::kBeginProgrammingOnly || profile.beginProgrammingEnded)
    endProgramming(chip);
}

}  // namespace

void programCell(ChipSession& chip, std::uint8_t loadCommand, std::uint16_t value, Cycle cycle) {
  LineProtocol& line = chip.line;
  line.SendCommand(loadCommand);
  line.LoadDataWord(value);
  if (chip.profile.endCommand != 0) {
    runWordCycle(chip, cycle);
    return;
  }
  const bool programOnly =
      chip.chipsOwnPace && cycle == Cycle::ProgramWord && usesProgramOnly(chip.profile);
  line.SendCommand(programOnly ? command::kBeginProgrammingOnly : command::kBeginProgramming);
  waitCycle(chip, cycle);
}

}  // namespace kalmar
