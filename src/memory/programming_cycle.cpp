#include "memory/programming_cycle.h"

namespace kalmar {

namespace {

constexpr int kWindowCycleUnits = 1000;

// Begin Programming Only (18h) is self-timed on the PIC16F84A and the
// PIC16F627/628; on the PIC12F629/675 it needs End Programming, so those
// take Begin Erase/Programming, which programs only there anyway.
bool usesProgramOnly(const DeviceProfile& chip) {
  return chip.cycles.programOnlyUs > 0 && chip.family != Family::Family12F6xx;
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
// second (D3). The PIC16F62x, 62xA and 12F629/675 want VPP before VDD
// (DS30034, DS41196, DS41191: a chip set to run from its internal
// oscillator with MCLR as an input could start its program otherwise); the
// PIC16F84 family VDD before VPP (DS30189, DS30262, DS35007).
ChipsOwnPace::ChipsOwnPace(ChipSession& chip)
    : chip_(chip), fast_(chip.line), secondSupplyFirstBefore_(chip.line.secondSupplyFirst()) {
  chip.chipsOwnPace = true;
  chip.line.setSecondSupplyFirst(chip.profile.family == Family::Family84);
}

ChipsOwnPace::~ChipsOwnPace() {
  chip_.chipsOwnPace = false;
  chip_.line.setSecondSupplyFirst(secondSupplyFirstBefore_);
}

void waitCycle(ChipSession& chip, Cycle cycle) {
  if (chip.chipsOwnPace)
    chip.line.timing().PausMicros(cycleMicros(chip.profile, cycle));
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
