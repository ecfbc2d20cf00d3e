#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "device/catalogue.h"

namespace kalmar {

inline constexpr const char* kSettingsFileName = "Kalmar.cfg";

// The values of the ten-line settings file (labels on odd lines).
struct SettingsValues {
  std::string chip = defaultChip().name;
  std::uint16_t dataRegister = 0x378;
  std::array<std::uint32_t, 3> colours{0x000080, 0x785107, 0x000000};
  std::uint16_t config = 0x3FFB;
};

// Reads the file's bytes (Windows-1251, CR LF); empty when any value line
// is missing or unusable, so the caller takes the defaults.
std::optional<SettingsValues> parseSettings(std::string_view bytes);
// Reads and parses a settings file; empty when it is missing, no regular
// file, too large or unusable (the caller then takes the defaults), with the
// reason in why when asked.
std::optional<SettingsValues> readSettingsFile(const std::string& path, std::string* why = nullptr);
// The ten lines, Windows-1251, CR LF between them and none after the last.
std::string formatSettings(const SettingsValues& values);

// An integer as the settings reader takes it: optional leading blanks and
// sign, decimal digits, or hex after "$" or "0x". Empty when not a number.
std::optional<std::int64_t> parseSettingsInteger(std::string_view text);

}  // namespace kalmar
