#include "desktop/accessible_names.h"

#include <charconv>
#include <cstdio>

#include "model/hex_text.h"

namespace kalmar::desktop {

namespace {

// The number after a prefix ("MaskEdit17" -> 17); 0 when there is none.
int numberAfter(std::string_view component, std::string_view prefix) {
  if (component.substr(0, prefix.size()) != prefix) return 0;
  const std::string_view digits = component.substr(prefix.size());
  int n = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
  return error == std::errc() && end == digits.data() + digits.size() ? n : 0;
}

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

}  // namespace

std::string accessibleName(std::string_view component) {
  struct Named {
    std::string_view component;
    const char* name;
  };
  static constexpr Named kNames[] = {
      {"Edit3", "Слово конфигурации, источник"}, {"Edit1", "Слово конфигурации, источник"},
      {"Edit4", "Память программ, источник"},    {"Edit5", "Память данных, источник"},
      {"Edit6", "Листинг, источник"},            {"Edit8", "Идентификатор, источник"},
      {"ScrollBox1", "Память программ"},         {"ScrollBox2", "Листинг"},
      {"ProgressBar1", "Ход выполнения"},        {"ListBox1", "Биты BG"},
      {"SpeedButton14", "Выбрать биты BG"},
  };
  for (const Named& named : kNames)
    if (named.component == component) return named.name;
  if (const int n = numberAfter(component, "MaskEdit"); n >= 301 && n <= 304) {
    char text[64];
    std::snprintf(text, sizeof text, "слово %d (адрес %X)", n - 300, 0x2000 + n - 301);
    return std::string("Идентификатор, ") + text;
  } else if (n >= 1 && n <= 256) {
    return "Память данных, адрес " + hex2(static_cast<std::uint32_t>(n - 1));
  }
  return {};
}

std::string fieldPanelName(const FieldPanelState& panel, std::string_view component) {
  auto address = [](std::string label) {  // "2007h:" -> "2007h"
    if (!label.empty() && label.back() == ':') label.pop_back();
    return label;
  };
  if (const int word = numberAfter(component, "ConfigWord"); word >= 1 && word <= panel.words)
    return "Слово конфигурации " + address(panel.wordLabels[static_cast<std::size_t>(word - 1)]);
  if (component == "CalibrationWord" && panel.calibrationShown)
    return address(panel.calibrationLabel) + ", только чтение";
  const int n = numberAfter(component, "ConfigField");
  if (n < 1 || n > static_cast<int>(panel.fields.size())) return {};
  const FieldChooser& field = panel.fields[static_cast<std::size_t>(n - 1)];
  return field.name + ", слово конфигурации " +
         address(panel.wordLabels[static_cast<std::size_t>(field.word)]);
}

std::string pictureButtonName(std::string_view hint, std::string_view groupCaption) {
  const std::string group = trimmed(groupCaption);
  return group.empty() ? std::string(hint) : std::string(hint) + " (" + group + ")";
}

}  // namespace kalmar::desktop
