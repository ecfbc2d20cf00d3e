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
// On a chip with End Programming (its catalogue row), the cell's cycle is
// the row's word cycle command, ended by End Programming where it runs
// until then.
void programCell(ChipSession& chip, std::uint8_t loadCommand, std::uint16_t value, Cycle cycle);

// The chip's own time of a cycle of a chip with write latches, also for the
// window's commands: never less than the 8 ms these have always waited.
void waitOwnCycle(ChipSession& chip, int micros);

// End Programming and the discharge time the chip wants after it (TDIS).
void endProgramming(ChipSession& chip);

// Programs the write latches loaded into the row the counter is in: Begin
// Programming Only, the chip's time, End Programming.
void programRow(ChipSession& chip);

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
