#include "sim/sim_chip.h"

#include <cstdio>
#include <limits>

namespace kalmar::sim {

namespace {

constexpr std::int64_t kSupplyGapNs = 5'000;   // TPPDP / THLD0
constexpr std::int64_t kEntryHoldNs = 5'000;   // THLD0: supplies up before the first clock
constexpr std::int64_t kCommandGapNs = 1'000;  // TDLY1 / TDLY2

std::string micros(std::int64_t ns) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f us", static_cast<double>(ns) / 1000.0);
  return text;
}

int latchWordsOf(const ChipTraits& traits, const FamilyRules* rules) {
  if (rules == nullptr) return 1;
  return traits.latchWords != 0 ? traits.latchWords : rules->latchWords;
}

}  // namespace

SimChip::SimChip(ChipKind kind, std::uint16_t bandGap, std::uint16_t calibration)
    : program(static_cast<std::size_t>(traitsOf(kind).programWords), 0x3FFF),
      data(static_cast<std::size_t>(traitsOf(kind).dataBytes), 0xFF),
      traits_(&traitsOf(kind)),
      rules_(rulesOf(traits_->family)),
      latches_(latchWordsOf(*traits_, rules_)) {
  if (traits_->family == SimFamily::F12F6) {
    config = static_cast<std::uint16_t>((0x3FFF & ~0x3000) | (bandGap & 0x3000));
    program.back() = calibration;
  }
  if (traits_->calibrationAt != 0) calibrationWord = calibration & 0x3FFF;
  // A second factory word of its own, so that a swap of the two shows.
  if (traits_->calibrationWords == 2)
    calibrationWord2 = static_cast<std::uint16_t>(calibration ^ 0x0155);
}

std::uint16_t SimChip::configBase() const {
  return traits_->family == SimFamily::F1xxx ? 0x8000 : 0x2000;
}

// A counter in configuration space as its offset from the base.
std::uint16_t SimChip::configOffset(std::uint16_t pc) const {
  return static_cast<std::uint16_t>(pc & (configBase() - 1));
}

// Code protection per family, from each datasheet's configuration word:
// PIC16F84/84A CP = bits 13:4 (any cleared bit protects; DS35007), PIC16C84
// CP = bit 4; PIC16F627/628 CP1:CP0 in bits 13:12 and 11:10 with partial
// ranges (DS40300); 62xA /CP = bit 13, 12F6xx /CP = bit 7; /CPD = bit 8 on
// all but the PIC16F84 family, whose CP covers data memory too; the chips
// with write latches have one /CP and one /CPD bit each (family_rules.cpp).
bool SimChip::programProtected(std::uint16_t address) const {
  const std::uint16_t word = configRead();
  switch (traits_->family) {
    case SimFamily::F84:
      if (traits_->kind == ChipKind::PIC16C84) return (word & 0x0010) == 0;
      return (word & 0x3FF0) != 0x3FF0;
    case SimFamily::F62x: {
      unsigned cp = ((word >> 12) & 3) & ((word >> 10) & 3);
      unsigned size = static_cast<unsigned>(traits_->programWords);
      if (cp == 3) return false;
      if (cp == 0) return true;
      // 10: the 628's upper half, 400h-7FFh; nothing on the 1K 627. The
      // 4K PIC16F648A is a 62xA: one /CP bit for all of it, below.
      if (cp == 2) return size == 2048 && address >= 0x400;
      return address >= 0x200;
    }
    case SimFamily::F62xA:
      return (word & 0x2000) == 0;
    case SimFamily::F12F6:
      return (word & 0x0080) == 0;
    case SimFamily::F81x:
    case SimFamily::F716:
    case SimFamily::F683:
    case SimFamily::F87xA:
    case SimFamily::F88x:
    case SimFamily::F1xxx:
      return (word & rules_->cpBit) == 0;
  }
  return false;
}

// Every partial range ends at the last word: it and word 0 cover them all.
bool SimChip::anyProtected() const {
  const auto last = static_cast<std::uint16_t>(traits_->programWords - 1);
  return programProtected(0) || programProtected(last) || dataProtected();
}

bool SimChip::dataProtected() const {
  if (traits_->family == SimFamily::F84) return programProtected(0);
  if (rules_ != nullptr) return rules_->cpdBit != 0 && (configRead() & rules_->cpdBit) == 0;
  return (configRead() & 0x0100) == 0;
}

void SimChip::protectCode() {
  switch (traits_->family) {
    case SimFamily::F84:
      config &= 0x000F;
      break;
    case SimFamily::F62x:
      config &= ~0x3D00;
      break;
    case SimFamily::F62xA:
      config &= ~0x2100;
      break;
    case SimFamily::F12F6:
      config &= ~0x0180;
      break;
    case SimFamily::F81x:
    case SimFamily::F716:
    case SimFamily::F683:
    case SimFamily::F87xA:
    case SimFamily::F88x:
    case SimFamily::F1xxx:
      config &= static_cast<std::uint16_t>(~(rules_->cpBit | rules_->cpdBit));
      break;
  }
}

void SimChip::applyStuckCells() {
  for (const auto& [address, value] : faults.stuckCells)
    if (address < program.size()) program[address] = value & 0x3FFF;
}

void SimChip::violation(std::int64_t t, const std::string& text) {
  if (log_ != nullptr) log_->violation(t, text);
}

void SimChip::warning(std::int64_t t, const std::string& text) {
  if (log_ != nullptr) log_->warning(t, text);
}

void SimChip::setSupplies(bool vdd, bool vpp, std::int64_t t) {
  if (lowVoltageOnly()) {
    lowVoltageSupplies(vdd, vpp, t);
    return;
  }
  if (vdd && !vdd_) vddOnNs_ = t;
  if (vpp && !vpp_) vppOnNs_ = t;
  vdd_ = vdd;
  vpp_ = vpp;
  bool shouldProgram = vdd_ && vpp_ && !powerLost_;
  if (shouldProgram && !programming_) enterProgrammingMode(t);
  if (!shouldProgram && programming_) leaveProgrammingMode(t);
}

void SimChip::enterProgrammingMode(std::int64_t t) {
  std::int64_t gap = vddOnNs_ > vppOnNs_ ? vddOnNs_ - vppOnNs_ : vppOnNs_ - vddOnNs_;
  if (gap < kSupplyGapNs)
    violation(t, "supplies switched on " + micros(gap) + " apart (at least 5 us)");
  if (vddOnNs_ < vppOnNs_ && runsBeforeEntry())
    warning(t, "VDD on " + micros(vppOnNs_ - vddOnNs_) +
                   " before VPP while the configuration selects the internal oscillator with "
                   "MCLR as an input: a real chip may run its program first, entry is not "
                   "guaranteed and the address counter may not start at 0");
  beginProgrammingMode(t, kEntryHoldNs);
}

// Programming mode from its first state: counter at 0, nothing loaded; the
// first clock may come entryHoldNs after it.
void SimChip::beginProgrammingMode(std::int64_t t, std::int64_t entryHoldNs) {
  programming_ = true;
  entryNs_ = t;
  entryHoldNs_ = entryHoldNs;
  firstClockSeen_ = false;
  pc_ = 0;
  latch_ = 0x3FFF;
  loadTarget_ = LoadTarget::Program;
  armed_ = Armed::None;
  setupStage_ = 0;
  latches_.clear();
  refusedFrame_ = false;
  phase_ = Phase::Command;
  bits_ = 0;
  shift_ = 0;
  atBoundary_ = false;
}

// The chips that can start their program as soon as VDD is up: internal
// oscillator (FOSC 100 or 101) and MCLR used as an input (MCLRE = 0).
bool SimChip::runsBeforeEntry() const {
  const bool mclrInput = (config & 0x0020) == 0;
  switch (traits_->family) {
    case SimFamily::F62x:
    case SimFamily::F62xA:
      return mclrInput && ((config & 0x13) == 0x10 || (config & 0x13) == 0x11);
    case SimFamily::F12F6:
      return mclrInput && ((config & 0x07) == 0x04 || (config & 0x07) == 0x05);
    case SimFamily::F81x:
    case SimFamily::F716:
    case SimFamily::F683:
    case SimFamily::F87xA:
    case SimFamily::F88x:
    case SimFamily::F1xxx: {
      const unsigned osc = config & rules_->oscMask;
      return rules_->mclreBit != 0 && (config & rules_->mclreBit) == 0 &&
             (osc == rules_->intOsc || osc == rules_->intOsc + 1U);
    }
    case SimFamily::F84:
      break;
  }
  return false;
}

void SimChip::leaveProgrammingMode(std::int64_t t) {
  settle(t);
  if (cycle_.active) {
    violation(t, "supply removed while " + cycle_.what + " runs; the cycle is lost");
    cycle_ = Cycle{};
  }
  programming_ = false;
  driving_ = false;
}

bool SimChip::cycleRunning(std::int64_t t) {
  settle(t);
  return cycle_.active;
}

void SimChip::settle(std::int64_t t) {
  if (!cycle_.active || t < cycle_.endNs) return;
  auto commit = std::move(cycle_.commit);
  cycle_ = Cycle{};
  if (commit) commit();
  applyStuckCells();
}

void SimChip::clockRise(std::int64_t t) {
  if (!programming_) return;
  if (!firstClockSeen_) {
    firstClockSeen_ = true;
    if (t - entryNs_ < entryHoldNs_)
      violation(t, "first clock " + micros(t - entryNs_) +
                       " after entering programming mode (at least " + micros(entryHoldNs_) + ")");
  }
  if (atBoundary_) {
    atBoundary_ = false;
    if (t - boundaryNs_ < kCommandGapNs)
      violation(
          t, "next clock " + micros(t - boundaryNs_) + " after a command or frame (at least 1 us)");
  }
  if (phase_ != Phase::Read) return;
  ++readRises_;
  if (readRises_ >= 2 && readRises_ <= 15 && !refusedFrame_) {
    driving_ = true;
    driveLevel_ = (readValue_ >> (readRises_ - 2)) & 1;
  } else if (readRises_ >= 16) {
    driving_ = false;
  }
}

void SimChip::clockFall(std::int64_t t, int dataLevel) {
  latchedAtLastFall_ = programming_ && phase_ != Phase::Read;
  if (!programming_) {
    watchForKey(t, dataLevel);
    return;
  }
  switch (phase_) {
    case Phase::Command:
      shift_ |= static_cast<std::uint32_t>(dataLevel & 1) << bits_;
      if (++bits_ == 6) {
        std::uint8_t code = static_cast<std::uint8_t>(shift_ & 0x3F);
        bits_ = 0;
        shift_ = 0;
        atBoundary_ = true;
        boundaryNs_ = t;
        dispatch(t, code);
      }
      break;
    case Phase::Load:
      shift_ |= static_cast<std::uint32_t>(dataLevel & 1) << bits_;
      if (++bits_ == 16) {
        std::uint16_t value = static_cast<std::uint16_t>((shift_ >> 1) & 0x3FFF);
        phase_ = Phase::Command;
        bits_ = 0;
        shift_ = 0;
        atBoundary_ = true;
        boundaryNs_ = t;
        finishLoad(t, value);
      }
      break;
    case Phase::Read:
      if (++readFalls_ == 16) {
        phase_ = Phase::Command;
        driving_ = false;
        refusedFrame_ = false;
        atBoundary_ = true;
        boundaryNs_ = t;
      }
      break;
  }
}

void SimChip::dispatch(std::int64_t t, std::uint8_t code) {
  if (faults.powerLossAfterCommands >= 0 && commandsSeen_ >= faults.powerLossAfterCommands) {
    powerLost_ = true;
    leaveProgrammingMode(t);
    return;
  }
  ++commandsSeen_;
  settle(t);
  if (cycle_.active && ignoredWhileBusy(t, code)) return;
  if (rules_ != nullptr && !rules_->has(code)) {
    refuseCommand(t, code);
    return;
  }
  if (code != 0x01 && code != 0x07 && code != 0x08) setupStage_ = 0;
  if (needsData(code)) {
    code_ = code;
    phase_ = Phase::Load;
    return;
  }
  if (readsData(code)) {
    startRead(t, code);
    return;
  }
  if (log_ != nullptr) log_->command(t, code, pc_, -1);
  runCommand(t, code);
}

// A command while a cycle runs: one with a data frame goes ahead on a
// half-finished cell (a violation), any other is ignored.
bool SimChip::ignoredWhileBusy(std::int64_t t, std::uint8_t code) {
  if (code == traits_->endCommand && cycle_.endedByCommand) return false;
  const std::string text = commandName(code) + " at " + hex4(pc_) + " while " + cycle_.what +
                           " runs (" + cycleLeft(t) + ")";
  if (needsData(code) || readsData(code)) {
    violation(t, text);
    return false;
  }
  if (log_ != nullptr) {
    log_->command(t, code, pc_, -1);
    log_->busy(t, text + "; ignored");
  }
  return true;
}

std::string SimChip::cycleLeft(std::int64_t t) const {
  if (cycle_.endedByCommand) return "until End Programming";
  return micros(cycle_.endNs - t) + " left";
}

void SimChip::startRead(std::int64_t t, std::uint8_t code) {
  readValue_ = code == 0x04 ? readProgramSpace() : readData();
  if (log_ != nullptr) log_->command(t, code, pc_, readValue_);
  phase_ = Phase::Read;
  readRises_ = 0;
  readFalls_ = 0;
}

// The commands without a data frame; unknown ones are ignored, as the chips do.
void SimChip::runCommand(std::int64_t t, std::uint8_t code) {
  if (rules_ != nullptr) {
    runLatchedCommand(t, code);
    return;
  }
  switch (code) {
    case 0x06:
      incrementAddress();
      break;
    case 0x08:
    case 0x18:
      cycleCommand(t, code);
      break;
    case 0x0A:
      if (cycle_.endedByCommand) endProgramming(t);
      break;
    case 0x09:
    case 0x0B:
      if (traits_->hasBulkEraseCommands) bulkEraseCommand(t, code);
      break;
    case 0x01:
    case 0x07:
      if (traits_->hasCodeProtectClearing) setupCommand(code);
      break;
    default:
      break;
  }
}

// 08h and 18h: the cycle the 01h/07h sequence or 09h/0Bh armed goes first,
// then the cell in the memory the last load addressed.
void SimChip::cycleCommand(std::int64_t t, std::uint8_t code) {
  if (code == 0x18 && !traits_->hasProgramOnlyCommand) return;
  if (code == 0x08 && setupStage_ == 2) {
    setupStage_ = 0;
    beginCodeProtectErase(t);
    return;
  }
  if (armed_ != Armed::None && startsArmedErase(code)) {
    const Armed which = armed_;
    armed_ = Armed::None;
    beginBulkErase(t, which);
    return;
  }
  if (code == 0x18)
    beginProgramOnlyCycle(t);
  else if (loadTarget_ == LoadTarget::Data)
    beginDataCycle(t);
  else
    beginProgramCycle(t);
}

// 08h starts an armed bulk erase on every chip that arms one; 18h only where
// the chip's documents let it (see README.md). Elsewhere 18h is a
// programming-only cycle and the erase stays armed.
bool SimChip::startsArmedErase(std::uint8_t code) const {
  return code == 0x08 || traits_->programOnlyStartsBulkErase;
}

// 18h never erases: the cell's bits can only clear, in program memory, IDs,
// configuration and data memory alike. On the 12F6xx it runs until End
// Programming; elsewhere it times itself.
void SimChip::beginProgramOnlyCycle(std::int64_t t) {
  const std::uint16_t value = latch_;
  const bool toData = loadTarget_ == LoadTarget::Data;
  const std::uint16_t address = toData ? dataAddress() : pc_;
  std::string what = toData ? "a data memory programming-only cycle" : "a programming-only cycle";
  std::function<void()> commit = [this, toData, address, value] {
    if (toData)
      writeDataCell(address, value, false);
    else
      writeProgramCell(address, value, false);
  };
  if (traits_->programOnlyEndedByCommand)
    startCycleEndedByCommand(t, traits_->programOnlyNs, std::move(what), std::move(commit));
  else
    startCycle(t, toData ? traits_->dataNs : traits_->programOnlyNs, std::move(what),
               std::move(commit));
}

// End Programming (0Ah) ends an externally timed cycle. Ended before its
// least time, the cell is left as it was: a real one would be programmed
// only partly.
// Where the chip needs TDIS after End Programming, a command sent sooner
// finds it busy.
void SimChip::endProgramming(std::int64_t t) {
  Cycle cycle = std::move(cycle_);
  cycle_ = Cycle{};
  finishExternalCycle(t, cycle);
  if (traits_->endDischargeNs > 0)
    startCycle(t, traits_->endDischargeNs, "the discharge after End Programming", {});
}

void SimChip::finishExternalCycle(std::int64_t t, Cycle& cycle) {
  const std::int64_t ran = t - cycle.startNs;
  if (ran < cycle.leastNs) {
    violation(t, "End Programming " + micros(ran) + " after " + cycle.what + " began (at least " +
                     micros(cycle.leastNs) + "); the cell is left as it was");
    return;
  }
  if (cycle.commit) cycle.commit();
  applyStuckCells();
}

void SimChip::bulkEraseCommand(std::int64_t t, std::uint8_t code) {
  const Armed which = code == 0x09 ? Armed::Program : Armed::Data;
  if (traits_->selfTimedBulkErase)
    beginBulkErase(t, which);
  else
    armed_ = which;
}

// 01h then 07h arm the code-protection clearing that the next 08h runs.
void SimChip::setupCommand(std::uint8_t code) {
  if (code == 0x01)
    setupStage_ = 1;
  else
    setupStage_ = setupStage_ == 1 ? 2 : 0;
}

void SimChip::finishLoad(std::int64_t t, std::uint16_t value) {
  if (refusedFrame_) {
    refusedFrame_ = false;
    return;
  }
  if (log_ != nullptr) log_->command(t, code_, code_ == 0x00 ? configBase() : pc_, value);
  latch_ = value;
  if (code_ == 0x00) {
    // Load Configuration moves the counter to 2000h (8000h); only leaving
    // programming mode (or Reset Address) brings it back to program memory.
    pc_ = configBase();
    loadTarget_ = LoadTarget::Program;
  } else {
    loadTarget_ = code_ == 0x03 ? LoadTarget::Data : LoadTarget::Program;
    if (rules_ != nullptr && code_ == 0x02 && !inConfigSpace()) latches_.load(pc_, value);
  }
}

std::uint16_t SimChip::readProgramSpace() const {
  if (!inConfigSpace()) {
    std::uint16_t address = static_cast<std::uint16_t>(pc_ & (program.size() - 1));
    return programProtected(address) ? 0x0000 : program[address];
  }
  switch (configOffset(pc_)) {
    case 0:
    case 1:
    case 2:
    case 3:
      return ids[pc_ & 3];
    case 5:  // the revision word of the PIC1xF1xxx, reserved on the others
      return lowVoltageOnly() ? traits_->revision : 0x3FFF;
    case 6:
      return static_cast<std::uint16_t>(traits_->deviceId | traits_->revision);
    case 7:
      return configRead();
    case 8:
    case 9:
    case 10:
      return upperWord(pc_);
    default:
      return 0x3FFF;
  }
}

// From 2008h (8008h) on: the second configuration word, the calibration
// words or a reserved word.
std::uint16_t SimChip::upperWord(std::uint16_t pc) const {
  const std::uint16_t base = configBase();
  const std::uint16_t at = base + configOffset(pc);
  if (at == base + 8 && traits_->hasConfig2) return config2Read();
  if (at == traits_->calibrationAt) return calibrationWord;
  if (at == traits_->calibrationAt + 1 && traits_->calibrationWords == 2) return calibrationWord2;
  return 0x3FFF;
}

// Like the configuration word: protection bits cannot be written back to 1
// while anything is protected.
void SimChip::writeUpperWord(std::uint16_t pc, std::uint16_t value, bool eraseFirst) {
  const std::uint16_t base = configBase();
  const std::uint16_t at = base + configOffset(pc);
  const auto program1 = [value, eraseFirst](std::uint16_t old) {
    return eraseFirst ? value : static_cast<std::uint16_t>(old & value);
  };
  if (at == base + 8 && traits_->hasConfig2)
    config2 = eraseFirst && !anyProtected() ? value : static_cast<std::uint16_t>(config2 & value);
  else if (at == traits_->calibrationAt)
    calibrationWord = program1(calibrationWord);
  else if (at == traits_->calibrationAt + 1 && traits_->calibrationWords == 2)
    calibrationWord2 = program1(calibrationWord2);
}

// Data memory bytes come in bits 0-7 of the frame; bits 8-13 read 0.
std::uint8_t SimChip::readData() const {
  if (dataProtected()) return 0x00;
  return data[pc_ & (data.size() - 1)];
}

// The counter is 14 bits wide (16 on the PIC1xF1xxx); program space runs
// to 1FFFh (7FFFh) and wraps to 0, configuration space runs to 3FFFh
// (FFFFh) and wraps to 2000h (8000h).
void SimChip::incrementAddress() {
  const std::uint16_t base = configBase();
  if (pc_ < base)
    pc_ = static_cast<std::uint16_t>((pc_ + 1) & (base - 1));
  else
    pc_ = static_cast<std::uint16_t>(base + ((pc_ + 1 - base) & (base - 1)));
}

void SimChip::startCycle(std::int64_t t, std::int64_t lengthNs, std::string what,
                         std::function<void()> commit) {
  cycle_ = Cycle{};
  cycle_.active = true;
  cycle_.startNs = t;
  cycle_.endNs = t + lengthNs;
  cycle_.what = std::move(what);
  cycle_.commit = std::move(commit);
}

void SimChip::startCycleEndedByCommand(std::int64_t t, std::int64_t leastNs, std::string what,
                                       std::function<void()> commit) {
  startCycle(t, 0, std::move(what), std::move(commit));
  cycle_.endNs = std::numeric_limits<std::int64_t>::max();
  cycle_.endedByCommand = true;
  cycle_.leastNs = leastNs;
}

// 01h, 07h, 08h: with the counter in configuration space this is the
// code-protection clearing of DS30262/DS30034: program memory, IDs and
// configuration go, data memory only when it was protected. Otherwise a
// plain bulk erase of the memory last loaded.
void SimChip::beginCodeProtectErase(std::int64_t t) {
  bool wasProtected = anyProtected();
  bool configSpace = inConfigSpace();
  LoadTarget target = loadTarget_;
  startCycle(t, traits_->bulkEraseNs, "a code-protect erase", [=, this] {
    if (configSpace) {
      eraseProgramMemory();
      eraseConfigurationSpace();
      if (wasProtected) eraseDataMemory();
    } else if (target == LoadTarget::Data) {
      eraseDataMemory();
    } else {
      eraseProgramMemory();
    }
  });
}

// 08h on data memory erases the byte and writes it, on every chip.
void SimChip::beginDataCycle(std::int64_t t) {
  const std::uint16_t value = latch_, address = dataAddress();
  startCycle(t, traits_->dataNs, "a data memory write",
             [this, address, value] { writeDataCell(address, value, true); });
}

// A cell with the slow fault needs its longer time.
void SimChip::beginProgramCycle(std::int64_t t) {
  std::uint16_t value = latch_;
  std::int64_t length = traits_->programNs;
  if (!inConfigSpace()) {
    auto slow = faults.slowCells.find(static_cast<std::uint16_t>(pc_ & (program.size() - 1)));
    if (slow != faults.slowCells.end() && slow->second > length) length = slow->second;
  }
  std::uint16_t address = pc_;
  const bool eraseFirst = !traits_->programOnlyCycle;
  startCycle(t, length, "a programming cycle at " + hex4(pc_),
             [this, address, value, eraseFirst] { writeProgramCell(address, value, eraseFirst); });
}

// A program-only cycle can only clear bits; an erase/program cycle replaces
// the word. Protected words and configuration bits stay as they are unless
// an erase clears the protection first.
void SimChip::writeProgramCell(std::uint16_t pc, std::uint16_t value, bool eraseFirst) {
  value &= 0x3FFF;
  auto program1 = [&](std::uint16_t old) -> std::uint16_t {
    return eraseFirst ? value : static_cast<std::uint16_t>(old & value);
  };
  if (pc < configBase()) {
    std::uint16_t address = static_cast<std::uint16_t>(pc & (program.size() - 1));
    if (!programProtected(address)) program[address] = program1(program[address]);
    return;
  }
  switch (configOffset(pc)) {
    case 0:
    case 1:
    case 2:
    case 3:
      ids[pc & 3] = program1(ids[pc & 3]);
      break;
    case 7:
      if (anyProtected())
        config = static_cast<std::uint16_t>(config & value);
      else
        config = program1(config);
      break;
    case 8:
    case 9:
    case 10:
      writeUpperWord(pc, value, eraseFirst);
      break;
    default:
      break;  // reserved words and the device ID cannot be written
  }
}

void SimChip::writeDataCell(std::uint16_t address, std::uint16_t value, bool eraseFirst) {
  if (dataProtected()) return;
  const auto byte = static_cast<std::uint8_t>(value & 0xFF);
  data[address] = eraseFirst ? byte : static_cast<std::uint8_t>(data[address] & byte);
}

// Bulk erase scope per family: DS41196 (62xA) and DS41191 (12F6xx) erase
// IDs and the configuration word too when the counter is in configuration
// space, DS30034 (62x) likewise; the PIC16F84 family erases program memory
// only. On the 12F6xx this takes the calibration word and BG bits with it.
void SimChip::beginBulkErase(std::int64_t t, Armed which) {
  bool configSpace = inConfigSpace();
  bool withConfig = configSpace && traits_->family != SimFamily::F84;
  if (which == Armed::Data) {
    startCycle(t, traits_->bulkEraseNs, "a data memory bulk erase", [this] { eraseDataMemory(); });
    return;
  }
  startCycle(t, traits_->bulkEraseNs, "a program memory bulk erase", [this, withConfig] {
    eraseProgramMemory();
    if (withConfig) eraseConfigurationSpace();
  });
}

void SimChip::eraseProgramMemory() {
  program.assign(program.size(), 0x3FFF);
}

// IDs and configuration words; a calibration word at 2008h stays.
void SimChip::eraseConfigurationSpace() {
  ids = {0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF};
  config = 0x3FFF;
  config2 = 0x3FFF;
}

void SimChip::eraseDataMemory() {
  data.assign(data.size(), 0xFF);
}

}  // namespace kalmar::sim
