#include "memory/config_check.h"

#include "window/hex_text.h"

namespace kalmar {

std::optional<std::uint16_t> proposedConfigWord(const DeviceProfile& profile, std::uint16_t w) {
  switch (profile.family) {
    case Family::Family84:
      if ((w >> 4) == 0 || (w >> 4) >= 0x3FF) return std::nullopt;
      return static_cast<std::uint16_t>((w & 0x000F) + 0x3FF0);
    case Family::Family62x:
      if (profile.layout == ConfigLayout::F62x) {
        if ((w & 0x0200) != 0 && ((w >> 10) == 0 || (w >> 10) >= 15)) return std::nullopt;
        std::uint16_t c = static_cast<std::uint16_t>(w | 0x0200);
        if ((c >> 10) >= 1 && (c >> 10) <= 14)
          c = static_cast<std::uint16_t>((c & 0x03FF) + 0x3C00);
        return c;
      }
      if ((w & 0x1E00) == 0x1E00) return std::nullopt;
      return static_cast<std::uint16_t>(w | 0x1E00);
    case Family::Family12F6xx:
      if ((w & 0x0E00) == 0) return std::nullopt;
      return static_cast<std::uint16_t>(w & 0x31FF);
  }
  return std::nullopt;
}

void Check_Slov_cfg_file(TForm1& form) {
  const std::uint16_t w = form.buffer.config;
  const auto proposed = proposedConfigWord(form.profile, w);
  if (!proposed) return;
  const std::string text =
      std::string(kCorrectionOfferStart) + " (" + form.profile.name + ")\r\n" +
      "некорректно указано слово конфигурации - " + hex4(w) + ".\r\n" +
      "Нажмите OK и слово конфигурации будет скорректировано до\r\n" + "приемлемого значения - " +
      hex4(*proposed) + " .\r\n" + "Если Вы нажменте ОТМЕНА, тогда слово конфигурации будет\r\n" +
      "оставлено без изменения, при этом состояние переключателей\r\n" +
      "в панели КОНФИГУРАЦИЯ, скорее всего, не будет соответствовать\r\n" + "слову конфигурации.";
  if (form.host.messageBox("Предупреждение.", text, MessageIcon::None, MessageButtons::OkCancel) ==
      MessageResult::Ok)
    form.buffer.config = *proposed;
}

}  // namespace kalmar
