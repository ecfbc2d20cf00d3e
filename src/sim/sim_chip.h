#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/chip_kind.h"
#include "sim/family_rules.h"
#include "sim/sim_log.h"
#include "sim/write_latches.h"

namespace kalmar::sim {

// Faults that live in the chip itself.
struct ChipFaults {
  // Program memory words that keep the given value whatever is written or erased.
  std::map<std::uint16_t, std::uint16_t> stuckCells;
  // Program memory words whose programming cycle takes this long (ns).
  std::map<std::uint16_t, std::int64_t> slowCells;
  // The chip loses its supply for good after this many commands (< 0: never).
  int powerLossAfterCommands = -1;
};

inline constexpr std::int64_t kSlowCellNs = 9'000'000;        // needs a slow-down of 1.2 or more
inline constexpr std::uint16_t kFactoryCalibration = 0x343C;  // RETLW 3Ch
inline constexpr std::uint16_t kFactoryBandGap = 0x2000;      // BG1:BG0 = 10

// One chip in programming (ICSP) mode, clocked bit by bit from the adapter's
// pins: commands and load frames latched on falling clock edges, LSB first;
// read frames driven on rising edges; the address counter, the data latch,
// self-timed programming and erase cycles, code protection.
class SimChip {
 public:
  // A chip as it leaves the factory: erased, with the PIC12F629/675's
  // calibration word and BG bits, or the PIC12F683's calibration word at 2008h.
  explicit SimChip(ChipKind kind, std::uint16_t bandGap = kFactoryBandGap,
                   std::uint16_t calibration = kFactoryCalibration);

  ChipKind kind() const { return traits_->kind; }
  const ChipTraits& traits() const { return *traits_; }

  // Storage, as the chip holds it.
  std::vector<std::uint16_t> program;
  std::array<std::uint16_t, 4> ids{0x3FFF, 0x3FFF, 0x3FFF, 0x3FFF};
  std::uint16_t config = 0x3FFF;  // every stored bit; see configRead()
  std::uint16_t config2 = 0x3FFF;  // 2008h where the chip has a second word
  std::uint16_t calibrationWord = 0x3FFF;  // 2008h (DS41204 chips) or 2009h (PIC16F88x)
  std::uint16_t calibrationWord2 = 0x3FFF;  // the second, at 800Ah on the PIC1xF1xxx
  std::vector<std::uint8_t> data;
  ChipFaults faults;

  // The configuration word as a read returns it.
  std::uint16_t configRead() const {
    return static_cast<std::uint16_t>(config & ~traits_->configZeroBits & 0x3FFF);
  }
  std::uint16_t config2Read() const {
    return static_cast<std::uint16_t>(config2 & ~traits_->config2ZeroBits & 0x3FFF);
  }
  bool programProtected(std::uint16_t address) const;
  bool dataProtected() const;
  // Whether any part of program or data memory is protected.
  bool anyProtected() const;
  // Writes a configuration word that protects everything (for the fault).
  void protectCode();
  // Re-applies stuck cells after anything changed program memory.
  void applyStuckCells();

  void attachLog(SimLog* log) { log_ = log; }

  // Pins, from the adapter. Times in ns.
  void setSupplies(bool vdd, bool vpp, std::int64_t t);
  void clockRise(std::int64_t t);
  void clockFall(std::int64_t t, int dataLevel);
  bool driving() const { return driving_; }
  // Whether the last falling clock edge latched a bit (a command or load
  // frame); the edges of a read frame latch nothing.
  bool latchedAtLastFall() const { return latchedAtLastFall_; }
  int driveLevel() const { return driveLevel_; }

  bool inProgrammingMode() const { return programming_; }
  bool powerLost() const { return powerLost_; }
  std::uint16_t addressCounter() const { return pc_; }
  bool cycleRunning(std::int64_t t);

 private:
  enum class Phase { Command, Load, Read };
  // What the last load addressed. Program stands for configuration space too:
  // only Load Configuration moves the counter there and only leaving
  // programming mode brings it back, so the counter at a cycle command is
  // where the last load left it.
  enum class LoadTarget { Program, Data };
  enum class Armed { None, Program, Data };
  struct Cycle {
    bool active = false;
    std::int64_t startNs = 0;
    std::int64_t endNs = 0;
    // Externally timed (18h on the 12F6xx): runs until End Programming,
    // which programs the cell once leastNs have passed.
    bool endedByCommand = false;
    std::int64_t leastNs = 0;
    std::string what;
    std::function<void()> commit;
  };

  void enterProgrammingMode(std::int64_t t);
  void beginProgrammingMode(std::int64_t t, std::int64_t entryHoldNs);
  void leaveProgrammingMode(std::int64_t t);
  void dispatch(std::int64_t t, std::uint8_t code);
  bool ignoredWhileBusy(std::int64_t t, std::uint8_t code);
  void startRead(std::int64_t t, std::uint8_t code);
  void runCommand(std::int64_t t, std::uint8_t code);
  std::string cycleLeft(std::int64_t t) const;
  bool startsArmedErase(std::uint8_t code) const;
  void cycleCommand(std::int64_t t, std::uint8_t code);
  void beginProgramOnlyCycle(std::int64_t t);
  void endProgramming(std::int64_t t);
  void bulkEraseCommand(std::int64_t t, std::uint8_t code);
  void setupCommand(std::uint8_t code);
  void finishLoad(std::int64_t t, std::uint16_t value);
  std::uint16_t readProgramSpace() const;
  std::uint8_t readData() const;
  void incrementAddress();
  void beginCodeProtectErase(std::int64_t t);
  void beginDataCycle(std::int64_t t);
  void beginProgramCycle(std::int64_t t);
  void beginBulkErase(std::int64_t t, Armed which);
  void startCycle(std::int64_t t, std::int64_t lengthNs, std::string what,
                  std::function<void()> commit);
  void startCycleEndedByCommand(std::int64_t t, std::int64_t leastNs, std::string what,
                                std::function<void()> commit);
  void settle(std::int64_t t);
  void finishExternalCycle(std::int64_t t, Cycle& cycle);
  // The families with write latches (latched_commands.cpp).
  void refuseCommand(std::int64_t t, std::uint8_t code);
  void runLatchedCommand(std::int64_t t, std::uint8_t code);
  void latchedBeginProgramming(std::int64_t t);
  void latchedProgramOnly(std::int64_t t);
  void latchedBulkErase(std::int64_t t, std::uint8_t code);
  void startLatchedBulkErase(std::int64_t t, Armed which);
  std::function<void()> bulkEraseOf(Armed which);
  void beginRowErase(std::int64_t t);
  void beginChipErase(std::int64_t t);
  void startLatchedCycle(std::int64_t t, bool external, std::int64_t lengthNs, std::string what,
                         std::function<void()> commit);
  std::function<void()> rowWrite(bool eraseBlockFirst, std::int64_t& lengthNs);
  std::uint16_t programAddress() const {
    return static_cast<std::uint16_t>(pc_ & (program.size() - 1));
  }
  std::uint16_t upperWord(std::uint16_t pc) const;
  void writeUpperWord(std::uint16_t pc, std::uint16_t value, bool eraseFirst);
  // eraseFirst: the cell takes the value; otherwise its bits can only clear.
  void writeProgramCell(std::uint16_t pc, std::uint16_t value, bool eraseFirst);
  void writeDataCell(std::uint16_t address, std::uint16_t value, bool eraseFirst);
  std::uint16_t dataAddress() const { return static_cast<std::uint16_t>(pc_ & (data.size() - 1)); }
  void eraseProgramMemory();
  void eraseConfigurationSpace();
  void eraseDataMemory();
  // Where Load Configuration puts the counter: 2000h, or 8000h on the
  // PIC1xF1xxx; program space wraps below it.
  std::uint16_t configBase() const;
  std::uint16_t configOffset(std::uint16_t pc) const;
  bool inConfigSpace() const { return pc_ >= configBase(); }
  // The low-voltage entry of the PIC1xF1xxx (low_voltage_entry.cpp).
  bool lowVoltageOnly() const;
  void lowVoltageSupplies(bool vdd, bool vpp, std::int64_t t);
  void watchForKey(std::int64_t t, int dataLevel);
  void resetKeyWatch();
  void violation(std::int64_t t, const std::string& text);
  void warning(std::int64_t t, const std::string& text);
  bool runsBeforeEntry() const;

  const ChipTraits* traits_;
  const FamilyRules* rules_;
  WriteLatches latches_;
  SimLog* log_ = nullptr;

  bool vdd_ = false, vpp_ = false;
  std::int64_t vddOnNs_ = 0, vppOnNs_ = 0;
  bool programming_ = false;
  bool powerLost_ = false;
  std::int64_t entryNs_ = 0;
  bool firstClockSeen_ = false;
  std::int64_t entryHoldNs_ = 0;  // from entry to the first clock
  std::uint32_t keyShift_ = 0;    // the last 32 bits clocked in with MCLR low
  int keyBits_ = 0;
  bool keyMatched_ = false;       // the next clock enters programming
  std::int64_t firstKeyClockNs_ = -1;
  int commandsSeen_ = 0;

  Phase phase_ = Phase::Command;
  int bits_ = 0;
  std::uint32_t shift_ = 0;
  std::uint8_t code_ = 0;
  int readRises_ = 0, readFalls_ = 0;
  std::uint16_t readValue_ = 0;
  bool driving_ = false;
  bool latchedAtLastFall_ = false;
  int driveLevel_ = 1;
  bool atBoundary_ = false;
  std::int64_t boundaryNs_ = 0;

  std::uint16_t pc_ = 0;
  std::uint16_t latch_ = 0x3FFF;
  LoadTarget loadTarget_ = LoadTarget::Program;
  Armed armed_ = Armed::None;
  bool refusedFrame_ = false;  // the frame of a command the chip does not know
  int setupStage_ = 0;  // 01h then 07h arm the erase that 08h starts
  Cycle cycle_;
};

}  // namespace kalmar::sim
