#include "device/settings_file.h"

#include <vector>

#include "device/catalogue.h"
#include "files/cp1251.h"
#include "files/file_io.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

// Skips a prefix of `text` at `i` when it is there.
bool skip(std::string_view text, std::size_t& i, std::string_view prefix) {
  if (text.substr(i, prefix.size()) != prefix) return false;
  i += prefix.size();
  return true;
}

int digitValue(char c, bool hex) {
  if (hex) return hexDigitValue(c);
  return c >= '0' && c <= '9' ? c - '0' : -1;
}

// The digits from i on; empty when there are none, one is no digit, or the
// number outgrows its type: hex takes the full 32 bits (colours), decimal
// stays a signed 32-bit number.
std::optional<std::uint64_t> digitsValue(std::string_view text, std::size_t i, bool hex) {
  if (i >= text.size()) return std::nullopt;
  const std::uint64_t limit = hex ? 0xFFFFFFFFull : 0x7FFFFFFFull;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = digitValue(text[i], hex);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<std::uint64_t>(digit);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int64_t> parseSettingsInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  const bool negative = skip(text, i, "-");
  if (!negative) skip(text, i, "+");
  const bool hex = skip(text, i, "$") || skip(text, i, "0x") || skip(text, i, "0X");
  const std::optional<std::uint64_t> value = digitsValue(text, i, hex);
  if (!value) return std::nullopt;
  const std::int64_t result = hex ? static_cast<std::int32_t>(static_cast<std::uint32_t>(*value))
                                  : static_cast<std::int64_t>(*value);
  return negative ? -result : result;
}

namespace {

using Lines = std::vector<std::string>;

const std::string* lineOf(const Lines& lines, std::size_t number) {
  return number <= lines.size() ? &lines[number - 1] : nullptr;
}

std::optional<std::uint16_t> portOf(const Lines& lines) {
  const std::string* port = lineOf(lines, 4);
  auto address = port ? parseSettingsInteger(*port) : std::nullopt;
  if (!address || (*address != 0x378 && *address != 0x278)) return std::nullopt;
  return static_cast<std::uint16_t>(*address);
}

bool readColours(const Lines& lines, std::array<std::uint32_t, 3>& colours) {
  for (std::size_t i = 0; i < 3; ++i) {
    const std::string* colour = lineOf(lines, 6 + i);
    if (colour == nullptr || colour->size() != 9) return false;
    auto value = parseSettingsInteger(*colour);
    if (!value) return false;
    colours[i] = static_cast<std::uint32_t>(*value);
  }
  return true;
}

std::optional<std::uint16_t> configOf(const Lines& lines) {
  const std::string* config = lineOf(lines, 10);
  if (config == nullptr || config->size() != 5) return std::nullopt;
  auto word = parseSettingsInteger(*config);
  if (!word || (static_cast<std::uint64_t>(*word) & 0xFFFF) > 0x3FFF) return std::nullopt;
  return static_cast<std::uint16_t>(*word & 0xFFFF);
}

}  // namespace

std::optional<SettingsValues> parseSettings(std::string_view bytes) {
  const Lines lines = splitLines(bytes);
  SettingsValues values;
  const std::string* chip = lineOf(lines, 2);
  if (chip == nullptr || findChip(*chip) == nullptr) return std::nullopt;
  values.chip = *chip;
  const std::optional<std::uint16_t> port = portOf(lines);
  const std::optional<std::uint16_t> config = configOf(lines);
  if (!port || !config || !readColours(lines, values.colours)) return std::nullopt;
  values.dataRegister = *port;
  values.config = *config;
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

std::optional<SettingsValues> readSettingsFile(const std::string& path, std::string* why) {
  std::string bytes, error;
  if (!readFile(path, kMaxSettingsFileBytes, bytes, error)) {
    if (why != nullptr) *why = error;
    return std::nullopt;
  }
  std::optional<SettingsValues> values = parseSettings(bytes);
  if (!values && why != nullptr) *why = "это не файл настроек Kalmar (строки 1-10)";
  return values;
}

}  // namespace kalmar
