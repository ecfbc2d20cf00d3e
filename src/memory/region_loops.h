#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "link/line_protocol.h"
#include "memory/programming_cycle.h"
#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// What differs between the memory regions a checked write walks (program
// memory, data memory, ID, a single kept word): the commands, the texts,
// the address steps, the kind of cycle. The loop itself is one.
struct RegionWrite {
  std::uint8_t loadCommand;
  std::uint8_t readCommand;
  std::uint16_t readMask;      // the bits a read-back compares (data bytes: 00FFh)
  int digits;                  // hex digits of addresses and values in the texts
  std::uint32_t firstAddress;  // the address the texts give the first cell
  const char* failureCaption;
  const char* failureAction;  // the status text after a cell that did not read back
  // Cells holding this value are passed with Increment Address alone (an
  // erased chip holds it already).
  std::optional<std::uint16_t> passed;
  // After cell i, Increment Address while i + 1 is below this.
  int incrementLimit;
  // The progress of a cell is told after its read-back matched, not before.
  bool progressAfterCheck = false;
  Cycle cycle = Cycle::ProgramWord;  // which of the chip's cycle times a cell waits
};

// Told after each cell: cells done and cells in all.
using RegionProgress = std::function<void(int done, int count)>;

// The first cell that did not read back as written.
struct CellMismatch {
  int index;
  std::uint16_t wanted;
  std::uint16_t found;
};

// Writes count cells from the current address on in an open programming
// session, each read back; stops at the first that does not read back as
// written. Program words of a chip with write latches go a row a cycle and
// are checked by the read of the region that follows. Talks only to the
// chip; progress is the caller's.
std::optional<CellMismatch> writeCells(ChipSession& chip, const RegionWrite& region, int count,
                                       const std::function<std::uint16_t(int)>& valueAt,
                                       const RegionProgress& progress);

// writeCells inside the window: a cell that did not read back gets its
// error box. done when all did.
Outcome writeRegion(TForm1& form, const RegionWrite& region, int count,
                    const std::function<std::uint16_t(int)>& valueAt,
                    const RegionProgress& progress, Outcome done);

// The texts of a verify, which compares cells read before with what they
// should hold.
struct RegionVerify {
  int digits;
  const char* failureCaption;
  const char* failureAction;
  const char* passedAction;  // followed by the path of the file last opened
};

// Compares cell by cell, progress before each; stops at the first
// difference with its error box. Cells skip(i) says are no difference.
// Closes the verify's frame (opened without talking to the chip) with the
// outcome's text and time.
Outcome verifyRegion(TForm1& form, const RegionVerify& region, int count,
                     const std::function<std::uint16_t(int)>& readAt,
                     const std::function<std::uint16_t(int)>& wantedAt,
                     const std::function<bool(int)>& skip, const RegionProgress& progress);

// The progress line of a whole-region loop: 5 plus the share done, in per cent.
RegionProgress regionProgress(TForm1& form);

}  // namespace kalmar
