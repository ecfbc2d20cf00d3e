#pragma once

#include <cstdint>

#include "link/line_protocol.h"
#include "model/chip_session.h"

namespace kalmar {

// The kinds of programming cycle, each with its own time on a chip.
enum class Cycle { ProgramWord, DataByte, BulkErase, ConfigWord };

// The chip's own time of a cycle in microseconds (its catalogue row), as
// the chips' own pace waits it.
int cycleMicros(const DeviceProfile& chip, Cycle cycle);

// Waits out a cycle begun by Begin Erase/Programming: 1000 units, as the
// window's commands have always waited, or the chip's own time (its
// catalogue row) while the chips' own pace is on.
void waitCycle(ChipSession& chip, Cycle cycle);

// One cell: its load command and word, the begin command, the wait. At the
// chips' own pace a program word goes with Begin Programming Only where the
// chip times that command itself (after a bulk erase there is nothing to
// erase first).
void programCell(ChipSession& chip, std::uint8_t loadCommand, std::uint16_t value, Cycle cycle);

// For its lifetime: the chips' own cycle times, the line at the pace of
// their serial interface, and their own power-up order. Only for the whole
// chip programming after a bulk erase.
class ChipsOwnPace {
 public:
  explicit ChipsOwnPace(ChipSession& chip);
  ~ChipsOwnPace();
  ChipsOwnPace(const ChipsOwnPace&) = delete;
  ChipsOwnPace& operator=(const ChipsOwnPace&) = delete;

 private:
  ChipSession& chip_;
  FastLine fast_;
  bool secondSupplyFirstBefore_;
};

}  // namespace kalmar
