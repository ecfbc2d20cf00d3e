#include "memory/programming_cycle.h"

namespace kalmar {

namespace {

constexpr int kWindowCycleUnits = 1000;

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

void programCell(ChipSession& chip, std::uint8_t loadCommand, std::uint16_t value, Cycle cycle) {
  LineProtocol& line = chip.line;
  line.SendCommand(loadCommand);
  line.LoadDataWord(value);
  const bool programOnly =
      chip.chipsOwnPace && cycle == Cycle::ProgramWord && usesProgramOnly(chip.profile);
  line.SendCommand(programOnly ? command::kBeginProgrammingOnly : command::kBeginProgramming);
  waitCycle(chip, cycle);
}

}  // namespace kalmar
