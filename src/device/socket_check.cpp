#include "device/socket_check.h"

#include "device/catalogue.h"
#include "link/programmer_check.h"
#include "memory/device_id.h"
#include "model/hex_text.h"

namespace kalmar {

namespace {

constexpr const char* kNoChipCaption = "Ошибка при программировании.";

Outcome noChip(TForm1& form, std::uint16_t id) {
  const std::string text = "Микроконтроллер " + form.chip.profile.name +
                           " не отвечает (идентификатор " + hex4(id) +
                           "):\r\nв программаторе нет микроконтроллера, или он вставлен "
                           "неправильно.";
  const std::string status = " Посл. вып. действие: микроконтроллер не отвечает.";
  form.host.messageBox(kNoChipCaption, text, MessageIcon::Error, MessageButtons::Ok);
  form.window.StatusBar1 = status;
  return Outcome::failed(kNoChipCaption, text, status);
}

Outcome otherChip(TForm1& form, std::uint16_t id, const CatalogueEntry* detected) {
  const std::string inSocket =
      detected != nullptr
          ? std::string("микроконтроллер ") + detected->name + " (идентификатор " + hex4(id) + ")"
          : "микроконтроллер с идентификатором " + hex4(id);
  const std::string text = "В программаторе " + inSocket + ",\r\nа выбран " +
                           form.chip.profile.name +
                           ". Нажмите OK, чтобы продолжить,\r\nили ОТМЕНА, чтобы отказаться.";
  if (form.host.messageBox("Предупреждение.", text, MessageIcon::None, MessageButtons::OkCancel) ==
      MessageResult::Ok)
    return Outcome::done({});
  const std::string status = " Посл. вып. действие: отказ: в программаторе другой микроконтроллер.";
  form.window.StatusBar1 = status;
  return Outcome::refused(status);
}

}  // namespace

SocketReading readSocket(TForm1& form) {
  using Answer = SocketReading::Answer;
  const std::uint16_t id = readDeviceId(form);
  if (noChipAnswered(id)) {
    // The PIC16F84 and PIC16C84 have no ID: silence is all they can say.
    if (!form.chip.profile.hasDeviceId()) return {Answer::SelectedChip, id, nullptr, {}};
    // Silence is also what a missing adapter gives; its own check tells.
    if (Outcome check = Chek_Hard(form); !check) return {Answer::NoProgrammer, id, nullptr, check};
    return {Answer::NoChip, id, nullptr, {}};
  }
  const CatalogueEntry* detected = findChipByDeviceId(id);
  if (detected != nullptr && detected->name == form.chip.profile.name)
    return {Answer::SelectedChip, id, detected, {}};
  return {Answer::OtherChip, id, detected, {}};
}

Outcome checkChipInSocket(TForm1& form) {
  const SocketReading reading = readSocket(form);
  switch (reading.answer) {
    case SocketReading::Answer::SelectedChip:
      return Outcome::done({});
    case SocketReading::Answer::NoProgrammer:
      return reading.check;
    case SocketReading::Answer::NoChip:
      return noChip(form, reading.id);
    case SocketReading::Answer::OtherChip:
      break;
  }
  return otherChip(form, reading.id, reading.detected);
}

}  // namespace kalmar
