#pragma once

#include <cstdint>
#include <string>

namespace kalmar {

enum class Family { Family84, Family62x, Family12F6xx };
enum class ConfigPanel { GroupBox5, GroupBox7 };

// The selected chip. Its name is the key every per-chip decision compares.
struct DeviceProfile {
  std::string name = "PIC16F84";
  Family family = Family::Family84;
  int programWords = 1024;
  int dataBytes = 64;
  ConfigPanel panel = ConfigPanel::GroupBox5;
  bool erOscillatorLabels = false;
  bool calibrationPreserved = false;

  bool is(const char* chip) const { return name == chip; }
  bool is12F6xx() const { return name == "PIC12F675" || name == "PIC12F629"; }
  // The configuration bits the chip implements; the others read 0 whatever
  // was written (bit 9 of the PIC16F627/628, bits 12:9 of the 627A/628A,
  // bits 11:9 of the PIC12F629/675).
  std::uint16_t implementedConfigBits() const {
    if (is("PIC16F627") || is("PIC16F628")) return 0x3DFF;
    if (is("PIC16F627A") || is("PIC16F628A")) return 0x21FF;
    if (is12F6xx()) return 0x31FF;
    return 0x3FFF;
  }
  // Whether a word read back from the chip is the word written, in every
  // bit the chip has.
  bool configMatches(std::uint16_t readBack, std::uint16_t written) const {
    return ((readBack ^ written) & implementedConfigBits()) == 0;
  }
};

// The parallel port in use: LPT1 exactly when the data register is 378h.
struct PortSelection {
  std::uint16_t dataRegister = 0x378;
  std::uint16_t statusRegister = 0x379;
  bool isLpt1() const { return dataRegister == 0x378; }
};

}  // namespace kalmar
