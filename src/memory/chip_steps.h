#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "model/chip_session.h"

namespace kalmar {

// Steps that only talk to the chip: no frame, no status line, no repaint.
// The procedures of the window put them inside their frames.

// In an open programming session: Load Configuration with 3FFFh (the
// counter goes to 2000h), then `increments` Increment Address commands.
void moveIntoConfigurationSpace(ChipSession& chip, int increments);

// The configuration word read in a programming session of its own.
std::uint16_t readConfiguration(ChipSession& chip);
// The word at 2000h + offset (the second configuration word at 2008h, a
// calibration word) read in a programming session of its own.
std::uint16_t readConfigurationSpaceWord(ChipSession& chip, int offset);

// Programs the configuration word in a programming session of its own and
// returns what it reads back; afterCycle runs between the programming cycle
// and the read.
std::uint16_t programConfiguration(ChipSession& chip, std::uint16_t word,
                                   const std::function<void()>& afterCycle = {});
// The same for the word at 2000h + offset (the second configuration word).
std::uint16_t programConfigurationSpaceWord(ChipSession& chip, int offset, std::uint16_t word,
                                            const std::function<void()>& afterCycle = {});

// Reads the four ID words (2000h-2003h) in an open programming session.
std::array<std::uint16_t, 4> readIdWords(ChipSession& chip);

// Reads every program word into the program sample store in one
// programming session; afterWord(k) is told after word k (1 to all but the
// last).
void readProgramSamples(ChipSession& chip, const std::function<void(int k)>& afterWord);

// Reads every data memory byte (as the words the chip sends) in one
// programming session.
std::vector<std::uint16_t> readDataWords(ChipSession& chip);

// Moves the counter to the last program word in a fresh programming session.
void walkToLastWord(ChipSession& chip);

// The chip's factory values before an erase, each in a programming session
// of its own: the BG bits of the configuration word and the calibration word
// at the last address. Noted in the session (a calibration word given by
// hand wins) and told to whoever listens; returns the BG bits (00h..30h).
std::uint8_t readFactoryValues(ChipSession& chip);

// The whole chip erased in one programming session, as the chip's erase
// sequence wants it (its catalogue row).
void eraseWholeChip(ChipSession& chip);

// Program memory, IDs and configuration word erased in one programming
// session, the address in configuration memory; data memory is left.
void eraseProgramMemory(ChipSession& chip);

// Program memory alone erased in one programming session, the counter in
// it (a chip with write latches, before its rows are written).
void eraseProgramMemoryOnly(ChipSession& chip);

// Reads the device ID in one short programming session.
std::uint16_t readDeviceIdWord(ChipSession& chip);

}  // namespace kalmar
