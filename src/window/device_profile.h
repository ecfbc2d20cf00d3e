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
};

// The parallel port in use: LPT1 exactly when the data register is 378h.
struct PortSelection {
  std::uint16_t dataRegister = 0x378;
  std::uint16_t statusRegister = 0x379;
  bool isLpt1() const { return dataRegister == 0x378; }
};

}  // namespace kalmar
