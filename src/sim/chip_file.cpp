#include "sim/chip_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "system/files.h"
#include "system/system_reason.h"

namespace kalmar::sim {

namespace {

constexpr const char* kHeader = "Kalmar simulated chip";

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<unsigned> parseHex(const std::string& token, unsigned limit) {
  if (token.empty() || token.size() > 4) return std::nullopt;
  unsigned value = 0;
  for (char c : token) {
    const int digit = hexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value * 16 + static_cast<unsigned>(digit);
  }
  if (value > limit) return std::nullopt;
  return value;
}

std::vector<std::string> tokens(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

std::string lineError(int number, const std::string& what) {
  return "строка " + std::to_string(number) + ": " + what;
}

std::string applyConfig(SimChip& chip, const std::vector<std::string>& words) {
  auto value = words.size() == 2 ? parseHex(words[1], 0x3FFF) : std::nullopt;
  if (!value) return "config: нужно одно слово не больше 3FFF";
  chip.config = static_cast<std::uint16_t>(*value);
  return {};
}

// "config2 W" where the chip has a second configuration word, "cal W" where
// it keeps a calibration word (at 2008h or 2009h).
std::string applyWord2008(SimChip& chip, const std::vector<std::string>& words) {
  const bool second = words[0] == "config2";
  if (second ? !chip.traits().hasConfig2 : chip.traits().calibrationAt == 0)
    return words[0] + ": у этого микроконтроллера нет такого слова";
  const bool pair = !second && chip.traits().calibrationWords == 2;
  if (pair) {  // "cal W1 W2": both calibration words
    auto first = words.size() == 3 ? parseHex(words[1], 0x3FFF) : std::nullopt;
    auto next = words.size() == 3 ? parseHex(words[2], 0x3FFF) : std::nullopt;
    if (!first || !next) return words[0] + ": нужны два слова не больше 3FFF";
    chip.calibrationWord = static_cast<std::uint16_t>(*first);
    chip.calibrationWord2 = static_cast<std::uint16_t>(*next);
    return {};
  }
  auto value = words.size() == 2 ? parseHex(words[1], 0x3FFF) : std::nullopt;
  if (!value) return words[0] + ": нужно одно слово не больше 3FFF";
  (second ? chip.config2 : chip.calibrationWord) = static_cast<std::uint16_t>(*value);
  return {};
}

std::string applyIds(SimChip& chip, const std::vector<std::string>& words) {
  if (words.size() != 5) return "id: нужны четыре слова";
  for (std::size_t i = 0; i < 4; ++i) {
    auto value = parseHex(words[i + 1], 0x3FFF);
    if (!value) return "неверное слово идентификатора " + words[i + 1];
    chip.ids[i] = static_cast<std::uint16_t>(*value);
  }
  return {};
}

// "pm ADDR v v ..." or "dm ADDR v v ...": cells from ADDR on.
template <typename Cells>
std::string applyCells(Cells& cells, unsigned limit, const std::vector<std::string>& words) {
  auto start = words.size() >= 2 ? parseHex(words[1], 0xFFFF) : std::nullopt;
  if (!start) return "нет начального адреса";
  if (*start + (words.size() - 2) > cells.size()) return "выходит за конец памяти";
  for (std::size_t i = 2; i < words.size(); ++i) {
    auto value = parseHex(words[i], limit);
    if (!value) return "неверное значение " + words[i];
    cells[*start + i - 2] = static_cast<typename Cells::value_type>(*value);
  }
  return {};
}

// Applies one "pm", "dm", "id" or "config" line; an error text or empty.
std::string applyLine(SimChip& chip, const std::vector<std::string>& words) {
  const std::string& key = words[0];
  if (key == "config") return applyConfig(chip, words);
  if (key == "config2" || key == "cal") return applyWord2008(chip, words);
  if (key == "id") return applyIds(chip, words);
  if (key == "pm") return applyCells(chip.program, 0x3FFF, words);
  if (key == "dm") return applyCells(chip.data, 0xFF, words);
  return "неизвестный ключ " + key;
}

// One line of a chip file into the chip being read: the header, the chip
// line, the contents. An error text or empty.
std::string readLine(const std::string& line, bool& headerSeen, std::unique_ptr<SimChip>& chip) {
  const std::vector<std::string> words = tokens(line);
  if (words.empty() || words[0][0] == '#') return {};
  if (!headerSeen) {
    if (line != kHeader) return "это не файл симулированного микроконтроллера";
    headerSeen = true;
    return {};
  }
  if (words[0] == "chip") {
    auto kind = words.size() == 2 ? chipKindFromName(words[1]) : std::nullopt;
    if (!kind) return "неизвестный микроконтроллер";
    if (chip) return "вторая строка chip";
    chip = std::make_unique<SimChip>(*kind);
    return {};
  }
  if (!chip) return "строка chip должна идти первой";
  return applyLine(*chip, words);
}

// "key ADDR v v v ..." lines, perRow values a line.
template <typename Values>
void appendRows(std::string& text, const char* key, const Values& values, std::size_t perRow,
                int digits) {
  char buffer[32];
  for (std::size_t address = 0; address < values.size(); address += perRow) {
    std::snprintf(buffer, sizeof buffer, "%s %0*zX", key, digits, address);
    text += buffer;
    for (std::size_t i = address; i < address + perRow && i < values.size(); ++i) {
      std::snprintf(buffer, sizeof buffer, " %0*X", digits, static_cast<unsigned>(values[i]));
      text += buffer;
    }
    text += "\n";
  }
}

}  // namespace

std::string chipToText(const SimChip& chip) {
  std::string text = std::string(kHeader) + "\nchip " + chipName(chip.kind()) + "\n";
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "config %04X\n", chip.config);
  text += buffer;
  if (chip.traits().hasConfig2) {
    std::snprintf(buffer, sizeof buffer, "config2 %04X\n", chip.config2);
    text += buffer;
  }
  if (chip.traits().calibrationAt != 0) {
    if (chip.traits().calibrationWords == 2)
      std::snprintf(buffer, sizeof buffer, "cal %04X %04X\n", chip.calibrationWord,
                    chip.calibrationWord2);
    else
      std::snprintf(buffer, sizeof buffer, "cal %04X\n", chip.calibrationWord);
    text += buffer;
  }
  text += "id";
  for (std::uint16_t id : chip.ids) {
    std::snprintf(buffer, sizeof buffer, " %04X", id);
    text += buffer;
  }
  text += "\n";
  appendRows(text, "pm", chip.program, 8, 4);
  appendRows(text, "dm", chip.data, 16, 2);
  return text;
}

ChipFromText chipFromText(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  std::unique_ptr<SimChip> chip;
  bool headerSeen = false;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string error = readLine(line, headerSeen, chip);
    if (!error.empty()) return {nullptr, lineError(number, error)};
  }
  if (!chip) return {nullptr, "нет строки chip"};
  return {std::move(chip), {}};
}

bool saveChipFile(const SimChip& chip, const std::string& path, std::string& error) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(pathOf(temporary), std::ios::binary | std::ios::trunc);
    if (!out) {
      error = temporary + ": " + systemReason(errno);
      return false;
    }
    out << chipToText(chip);
    out.flush();
    if (!out) {
      error = temporary + ": " + systemReason(errno);
      removeFile(temporary);
      return false;
    }
  }
  std::string why;
  if (!replaceFile(temporary, path, why)) {
    error = path + ": " + why;
    removeFile(temporary);
    return false;
  }
  return true;
}

ChipFromText loadChipFile(const std::string& path) {
  // A chip file is a few kilobytes; a directory, device or pipe is no chip.
  constexpr std::size_t kMaxBytes = 1u << 20;
  std::error_code code;
  if (!std::filesystem::is_regular_file(pathOf(path), code))
    return {nullptr, path + ": " + (code ? systemReason(code) : "это не обычный файл")};
  std::ifstream in(pathOf(path), std::ios::binary);
  if (!in) return {nullptr, path + ": " + systemReason(errno)};
  std::string contents(kMaxBytes + 1, '\0');
  in.read(contents.data(), static_cast<std::streamsize>(contents.size()));
  if (static_cast<std::size_t>(in.gcount()) > kMaxBytes)
    return {nullptr, path + ": файл больше " + std::to_string(kMaxBytes) + " байт"};
  contents.resize(static_cast<std::size_t>(in.gcount()));
  ChipFromText result = chipFromText(contents);
  if (!result.chip) result.error = path + ": " + result.error;
  return result;
}

}  // namespace kalmar::sim
