#include "memory/config_check.h"

#include <string_view>

#include "model/config_fields.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

std::optional<std::uint16_t> proposed84(std::uint16_t w) {
  if ((w >> 4) == 0 || (w >> 4) >= 0x3FF) return std::nullopt;
  return static_cast<std::uint16_t>((w & 0x000F) + 0x3FF0);
}

// Bit 9 unimplemented; the code-protection bits 13:10 all set or all clear.
std::optional<std::uint16_t> proposed62x(std::uint16_t w) {
  if ((w & 0x0200) != 0 && ((w >> 10) == 0 || (w >> 10) >= 15)) return std::nullopt;
  auto c = static_cast<std::uint16_t>(w | 0x0200);
  if ((c >> 10) >= 1 && (c >> 10) <= 14) c = static_cast<std::uint16_t>((c & 0x03FF) + 0x3C00);
  return c;
}

// Bits 12:9 unimplemented.
std::optional<std::uint16_t> proposed62xA(std::uint16_t w) {
  if ((w & 0x1E00) == 0x1E00) return std::nullopt;
  return static_cast<std::uint16_t>(w | 0x1E00);
}

std::optional<std::uint16_t> proposed12F6xx(std::uint16_t w) {
  if ((w & 0x0E00) == 0) return std::nullopt;
  return static_cast<std::uint16_t>(w & 0x31FF);
}

}  // namespace

std::optional<std::uint16_t> proposedConfigWord(const DeviceProfile& profile, std::uint16_t w) {
  switch (profile.layout) {
    case ConfigLayout::F84:
    case ConfigLayout::C84:
      return proposed84(w);
    case ConfigLayout::F62x:
      return proposed62x(w);
    case ConfigLayout::F62xA:
      return proposed62xA(w);
    case ConfigLayout::F12F6xx:
      return proposed12F6xx(w);
    case ConfigLayout::Fields:
      return std::nullopt;  // every field's settings are offered by the panel
  }
  return std::nullopt;
}

void Check_Slov_cfg_file(TForm1& form) {
  const std::uint16_t w = form.buffer.config;
  const auto proposed = proposedConfigWord(form.chip.profile, w);
  if (!proposed) return;
  const std::string text =
      std::string(kCorrectionOfferStart) + " (" + form.chip.profile.name + ")\r\n" +
      "некорректно указано слово конфигурации - " + hex4(w) + ".\r\n" +
      "Нажмите OK и слово конфигурации будет скорректировано до\r\n" + "приемлемого значения - " +
      hex4(*proposed) + " .\r\n" + "Если Вы нажменте ОТМЕНА, тогда слово конфигурации будет\r\n" +
      "оставлено без изменения, при этом состояние переключателей\r\n" +
      "в панели КОНФИГУРАЦИЯ, скорее всего, не будет соответствовать\r\n" + "слову конфигурации.";
  if (form.host.messageBox("Предупреждение.", text, MessageIcon::None, MessageButtons::OkCancel) ==
      MessageResult::Ok)
    form.buffer.config = *proposed;
}

bool clearsLowVoltageEntry(const DeviceProfile& profile, std::uint16_t config,
                           std::uint16_t config2) {
  if (!profile.lowVoltageEntry || profile.configSpace == nullptr) return false;
  for (const ConfigField& field : profile.configSpace->fields)
    if (std::string_view(field.name) == "LVP")
      return ((field.word == 0 ? config : config2) & field.mask) == 0;
  return false;
}

}  // namespace kalmar
