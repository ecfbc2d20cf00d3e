#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/device_profile.h"

namespace kalmar {

// The register operand of an instruction: its name for the chip family and
// the marker "   ;  *" where the 7-bit address names different registers in
// different banks.
struct RegisterOperand {
  std::string name;
  std::string marker;
};
RegisterOperand D0_Parametr(std::uint8_t addressByte, RegisterSet registers);

// One word as a line of mid-range assembler; target is set for CALL and GOTO.
struct DecodedWord {
  std::string text;
  std::optional<std::uint16_t> target;
};
DecodedWord decodeWord(std::uint16_t word, RegisterSet registers);

std::string labelFor(std::uint16_t address);  // "L_0005:"

inline constexpr const char* kErasedWordText = "  ---";
inline constexpr const char* kNotAnInstruction = "-?\?\?-";  // escaped: "??-" is a trigraph
inline constexpr const char* kAmbiguityMarker = "   ;  *";

}  // namespace kalmar
