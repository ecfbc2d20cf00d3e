#include "device/settings_file.h"

#include <vector>

#include "device/catalogue.h"
#include "files/cp1251.h"
#include "files/file_io.h"
#include "window/hex_text.h"

namespace kalmar {

std::optional<std::int64_t> parseSettingsInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  bool hex = false;
  if (i < text.size() && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= text.size()) return std::nullopt;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    int digit =
        hex ? hexDigitValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    // Hex takes the full 32 bits (colours); decimal stays a signed 32-bit number.
    if (value > (hex ? 0xFFFFFFFFull : 0x7FFFFFFFull)) return std::nullopt;
  }
  std::int64_t result = hex ? static_cast<std::int32_t>(static_cast<std::uint32_t>(value))
                            : static_cast<std::int64_t>(value);
  return negative ? -result : result;
}

std::optional<SettingsValues> parseSettings(std::string_view bytes) {
  const std::vector<std::string> lines = splitLines(bytes);
  auto line = [&](std::size_t number) -> const std::string* {
    return number <= lines.size() ? &lines[number - 1] : nullptr;
  };
  SettingsValues values;

  const std::string* chip = line(2);
  if (chip == nullptr || findChip(*chip) == nullptr) return std::nullopt;
  values.chip = *chip;

  const std::string* port = line(4);
  auto address = port ? parseSettingsInteger(*port) : std::nullopt;
  if (!address || (*address != 0x378 && *address != 0x278)) return std::nullopt;
  values.dataRegister = static_cast<std::uint16_t>(*address);

  for (std::size_t i = 0; i < 3; ++i) {
    const std::string* colour = line(6 + i);
    if (colour == nullptr || colour->size() != 9) return std::nullopt;
    auto value = parseSettingsInteger(*colour);
    if (!value) return std::nullopt;
    values.colours[i] = static_cast<std::uint32_t>(*value);
  }

  const std::string* config = line(10);
  if (config == nullptr || config->size() != 5) return std::nullopt;
  auto word = parseSettingsInteger(*config);
  if (!word || (static_cast<std::uint64_t>(*word) & 0xFFFF) > 0x3FFF) return std::nullopt;
  values.config = static_cast<std::uint16_t>(*word & 0xFFFF);
  return values;
}

std::string formatSettings(const SettingsValues& values) {
  const std::string lines[10] = {
      "микроконтроллер",
      values.chip,
      "порт",
      "$" + hexDigits(values.dataRegister, 3),
      "цвет",
      "$" + hexDigits(values.colours[0], 8),
      "$" + hexDigits(values.colours[1], 8),
      "$" + hexDigits(values.colours[2], 8),
      "слово конфигурации",
      "$" + hex4(values.config),
  };
  std::string text;
  for (int i = 0; i < 10; ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return utf8ToCp1251(text);
}

std::optional<SettingsValues> readSettingsFile(const std::string& path) {
  std::string bytes, error;
  if (!readFile(path, kMaxSettingsFileBytes, bytes, error)) return std::nullopt;
  return parseSettings(bytes);
}

}  // namespace kalmar
