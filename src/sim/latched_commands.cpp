// The commands of the chips that program program memory through write
// latches: PIC16F87/88/818/819 (DS39607, DS39603), PIC16F716 (DS40245),
// PIC12F683/16F684/688 (DS41204). What each family has is in
// family_rules.cpp, the times in chip_kind.cpp, the sources in README.md.
#include <algorithm>

#include "sim/sim_chip.h"

namespace kalmar::sim {

// A command the chip does not know does nothing. The host still clocks the
// frame of a load or read it meant to send: the chip takes it as that frame
// and ignores it, and drives nothing during a read.
void SimChip::refuseCommand(std::int64_t t, std::uint8_t code) {
  if (log_ != nullptr) log_->command(t, code, pc_, -1);
  violation(t, commandName(code) + " at " + hex4(pc_) + " is not a command of the " +
                   traits_->name + "; ignored");
  if (needsData(code)) {
    code_ = code;
    phase_ = Phase::Load;
    refusedFrame_ = true;
  } else if (readsData(code)) {
    phase_ = Phase::Read;
    readRises_ = 0;
    readFalls_ = 0;
    refusedFrame_ = true;
  }
}

void SimChip::runLatchedCommand(std::int64_t t, std::uint8_t code) {
  if (code == traits_->endCommand) {
    if (cycle_.endedByCommand) endProgramming(t);
    return;
  }
  switch (code) {
    case 0x06:
      incrementAddress();
      break;
    case 0x16:  // Reset Address (PIC1xF1xxx)
      pc_ = 0;
      break;
    case 0x08:
      latchedBeginProgramming(t);
      break;
    case 0x18:
      latchedProgramOnly(t);
      break;
    case 0x09:
    case 0x0B:
      latchedBulkErase(t, code);
      break;
    case 0x11:
      beginRowErase(t);
      break;
    case 0x1F:
      beginChipErase(t);
      break;
    default:
      break;
  }
}

void SimChip::startLatchedCycle(std::int64_t t, bool external, std::int64_t lengthNs,
                                std::string what, std::function<void()> commit) {
  if (external)
    startCycleEndedByCommand(t, lengthNs, std::move(what), std::move(commit));
  else
    startCycle(t, lengthNs, std::move(what), std::move(commit));
}

// The loaded latches into the row the counter is in; the 16F8x's 08h erases
// its block first. A slow cell (fault) makes the whole row slow.
std::function<void()> SimChip::rowWrite(bool eraseBlockFirst, std::int64_t& lengthNs) {
  const std::uint16_t address = programAddress();
  std::vector<LatchedCell> cells = latches_.takeRow(address);
  for (const LatchedCell& cell : cells) {
    auto slow = faults.slowCells.find(cell.address);
    if (slow != faults.slowCells.end()) lengthNs = std::max(lengthNs, slow->second);
  }
  const int block = eraseBlockFirst ? rules_->eraseBlockWords : 0;
  return [this, cells = std::move(cells), address, block] {
    const int first = block > 0 ? address - address % block : 0;
    for (int i = 0; i < block; ++i)
      writeProgramCell(static_cast<std::uint16_t>(first + i), 0x3FFF, true);
    for (const LatchedCell& cell : cells) writeProgramCell(cell.address, cell.value, false);
  };
}

// 08h: starts an armed bulk erase (PIC16F87/88/818/819); otherwise erases and
// programs, ended by End Programming (the same chips), or programs only and
// times itself (DS41204). Data memory bytes are erased and written either way.
void SimChip::latchedBeginProgramming(std::int64_t t) {
  if (armed_ != Armed::None) {
    const Armed which = armed_;
    armed_ = Armed::None;
    startLatchedBulkErase(t, which);
    return;
  }
  const bool eraseFirst = rules_->eraseBlockWords > 0;
  const bool external = eraseFirst && !rules_->erasingCycleTimesItself;
  const std::uint16_t value = latch_;
  if (loadTarget_ == LoadTarget::Data) {
    const std::uint16_t address = dataAddress();
    startLatchedCycle(t, external, traits_->dataNs, "a data memory write",
                      [this, address, value] { writeDataCell(address, value, true); });
  } else if (inConfigSpace()) {
    const std::uint16_t address = pc_;
    const std::int64_t length = std::max(traits_->programNs, traits_->configNs);
    startLatchedCycle(t, external, length, "a programming cycle at " + hex4(pc_),
                      [this, address, value, eraseFirst] {
                        writeProgramCell(address, value, eraseFirst);
                      });
  } else {
    std::int64_t length = traits_->programNs;
    auto commit = rowWrite(eraseFirst, length);
    startLatchedCycle(t, external, length, "a programming cycle of the row at " + hex4(pc_),
                      std::move(commit));
  }
}

// 18h: programs only (bits go from 1 to 0) and runs until End Programming.
void SimChip::latchedProgramOnly(std::int64_t t) {
  const std::uint16_t value = latch_;
  std::int64_t length = traits_->programOnlyNs;
  if (loadTarget_ == LoadTarget::Data) {
    const std::uint16_t address = dataAddress();
    startCycleEndedByCommand(t, length, "a data memory programming-only cycle",
                             [this, address, value] { writeDataCell(address, value, false); });
  } else if (inConfigSpace()) {
    const std::uint16_t address = pc_;
    startCycleEndedByCommand(t, length, "a programming-only cycle at " + hex4(pc_),
                             [this, address, value] { writeProgramCell(address, value, false); });
  } else {
    auto commit = rowWrite(false, length);
    startCycleEndedByCommand(t, length, "a programming-only cycle of the row at " + hex4(pc_),
                             std::move(commit));
  }
}

// 09h/0Bh: wait for 08h and End Programming (PIC16F87/88/818/819), or run
// by themselves.
void SimChip::latchedBulkErase(std::int64_t t, std::uint8_t code) {
  const Armed which = code == 0x09 ? Armed::Program : Armed::Data;
  if (rules_->bulkEraseArmed)
    armed_ = which;
  else
    startLatchedBulkErase(t, which);
}

void SimChip::startLatchedBulkErase(std::int64_t t, Armed which) {
  const char* what = which == Armed::Data ? "a data memory bulk erase" : "a program memory bulk erase";
  startLatchedCycle(t, rules_->bulkEraseArmed, traits_->bulkEraseNs, what, bulkEraseOf(which));
}

// What a bulk erase takes is decided when it starts: with the counter in
// program memory, program memory alone; in configuration space the IDs and
// configuration words too (and data memory when it was protected, so that
// clearing /CPD never shows it), and from 2008h on the calibration word.
// Where only Chip Erase clears protection (PIC16F87/88/818/819) a protected
// chip keeps its configuration, and protected program memory stays.
std::function<void()> SimChip::bulkEraseOf(Armed which) {
  if (which == Armed::Data) return [this] { eraseDataMemory(); };
  const bool configSpace = inConfigSpace();
  const bool clearsConfig =
      configSpace && (rules_->bulkEraseClearsProtection || !anyProtected());
  if (!clearsConfig && programProtected(0)) return {};
  if (!clearsConfig) return [this] { eraseProgramMemory(); };
  const bool dataToo = dataProtected();
  const bool calibrationToo = traits_->calibrationAt != 0 && pc_ >= traits_->calibrationAt;
  const bool both = traits_->calibrationWords == 2;
  return [this, dataToo, calibrationToo, both] {
    eraseProgramMemory();
    eraseConfigurationSpace();
    if (dataToo) eraseDataMemory();
    if (calibrationToo) calibrationWord = 0x3FFF;
    if (calibrationToo && both) calibrationWord2 = 0x3FFF;
  };
}

// 11h (DS41204): the row of program memory the counter is in, unless protected.
void SimChip::beginRowErase(std::int64_t t) {
  std::function<void()> commit;
  if (!inConfigSpace() && !programProtected(0)) {
    const auto words = static_cast<std::uint16_t>(
        traits_->rowEraseWords != 0 ? traits_->rowEraseWords : rules_->rowEraseWords);
    const auto first = static_cast<std::uint16_t>(programAddress() - programAddress() % words);
    commit = [this, first, words] {
      std::fill_n(program.begin() + first, words, std::uint16_t{0x3FFF});
    };
  }
  startCycle(t, traits_->rowEraseNs, "a row erase at " + hex4(pc_), std::move(commit));
}

// 1Fh (PIC16F87/88/818/819): everything, protected or not, wherever the
// counter is; it runs by itself.
void SimChip::beginChipErase(std::int64_t t) {
  startCycle(t, traits_->chipEraseNs, "a chip erase", [this] {
    eraseProgramMemory();
    eraseConfigurationSpace();
    eraseDataMemory();
  });
}

}  // namespace kalmar::sim
