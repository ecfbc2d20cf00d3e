#include "port/adapter_pins.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <vector>

namespace kalmar {

namespace {

constexpr std::array<const char*, 8> kFtdiPinNames = {"TXD", "RXD", "RTS", "CTS",
                                                       "DTR", "DSR", "DCD", "RI"};

std::optional<int> pinNumber(const std::string& item, bool ftdiNames) {
  if (item.empty() || item.size() > 6) return std::nullopt;
  if (std::all_of(item.begin(), item.end(), [](unsigned char c) { return std::isdigit(c); }))
    return std::stoi(item);
  if (!ftdiNames) return std::nullopt;
  std::string upper = item;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (!upper.empty() && upper.back() == '#') upper.pop_back();
  for (std::size_t i = 0; i < kFtdiPinNames.size(); ++i)
    if (upper == kFtdiPinNames[i]) return static_cast<int>(i);
  return std::nullopt;
}

std::vector<std::string> splitCommas(const std::string& text) {
  std::vector<std::string> items;
  std::stringstream stream(text);
  std::string item;
  while (std::getline(stream, item, ',')) items.push_back(item);
  if (!text.empty() && text.back() == ',') items.emplace_back();
  return items;
}

}  // namespace

std::uint64_t AdapterPins::levelsFor(std::uint8_t lineByte) const {
  std::uint64_t levels = 0;
  for (int role = Data; role <= Vdd; ++role)
    if (lineByte & (1u << role)) levels |= std::uint64_t{1} << pin[static_cast<std::size_t>(role)];
  return levels;
}

std::uint8_t AdapterPins::lineByteOf(std::uint64_t levels) const {
  std::uint8_t byte = 0;
  for (int role = Data; role <= Vdd; ++role)
    if ((levels >> pin[static_cast<std::size_t>(role)]) & 1u)
      byte |= static_cast<std::uint8_t>(1u << role);
  return byte;
}

std::uint64_t AdapterPins::outputMask() const {
  return levelsFor(0x0F);
}

std::optional<AdapterPins> parseAdapterPins(const std::string& text, int pinCount, bool ftdiNames,
                                            std::string& error) {
  const std::vector<std::string> items = splitCommas(text);
  if (items.size() != AdapterPins::kRoles) {
    error = "нужно пять выводов через запятую: DATA,CLOCK,VPP,VDD,READ";
    return std::nullopt;
  }
  AdapterPins pins;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const auto number = pinNumber(items[i], ftdiNames);
    if (!number || *number >= pinCount) {
      error = "неизвестный вывод " + items[i];
      return std::nullopt;
    }
    if (std::find(pins.pin.begin(), pins.pin.begin() + static_cast<long>(i), *number) !=
        pins.pin.begin() + static_cast<long>(i)) {
      error = "вывод " + items[i] + " назначен дважды";
      return std::nullopt;
    }
    pins.pin[i] = *number;
  }
  return pins;
}

std::string adapterPinsText(const AdapterPins& pins) {
  std::string text;
  for (int number : pins.pin) {
    if (!text.empty()) text += ',';
    text += std::to_string(number);
  }
  return text;
}

}  // namespace kalmar
