#include "cli/identify.h"

#include <cstdio>

#include "device/catalogue.h"
#include "device/chip_selection.h"
#include "device/socket_check.h"
#include "link/programmer_check.h"
#include "memory/device_id.h"
#include "model/hex_text.h"

namespace kalmar::cli {

namespace {

std::string revisionText(const CatalogueEntry& chip, std::uint16_t id) {
  return std::to_string(id & chip.revisionMask) + " (идентификатор " + hex4(id) + ")";
}

}  // namespace

Identification identifyChip(TForm1& form, bool chipChosen) {
  const Outcome refused = Outcome::failed({}, {}, {});
  const SocketReading reading = readSocket(form);
  const std::string selected = form.chip.profile.name;
  const CatalogueEntry* detected = reading.detected;
  switch (reading.answer) {
    case SocketReading::Answer::SelectedChip:
      return {Identity::Matches, Outcome::done({})};
    case SocketReading::Answer::NoProgrammer:
      return {Identity::NoProgrammer, reading.check};
    case SocketReading::Answer::NoChip:
      std::fprintf(stderr,
                   "Микроконтроллер %s не отвечает (идентификатор %s): в программаторе нет "
                   "микроконтроллера, или он вставлен неправильно.\n"
                   "Команда не выполнена; --force выполняет её без проверки.\n",
                   selected.c_str(), hex4(reading.id).c_str());
      return {Identity::NoChip, refused};
    case SocketReading::Answer::OtherChip:
      break;
  }
  if (detected != nullptr && !chipChosen) {
    selectChipByName(form, detected->name);
    return {Identity::Selected, Outcome::done({})};
  }
  if (detected == nullptr)
    std::fprintf(stderr,
                 "В программаторе микроконтроллер с идентификатором %s, а выбран %s.\n"
                 "Kalmar не знает такого идентификатора. Команда не выполнена; --force выполняет "
                 "её без проверки.\n",
                 hex4(reading.id).c_str(), selected.c_str());
  else
    std::fprintf(stderr,
                 "В программаторе %s, ревизия %s, а выбран %s.\n"
                 "Выберите -c %s; --force выполняет команду без проверки.\n",
                 detected->name, revisionText(*detected, reading.id).c_str(), selected.c_str(),
                 detected->name);
  return {Identity::OtherChip, refused};
}

Outcome detectChip(TForm1& form) {
  if (Outcome check = Chek_Hard(form); !check) return check;
  const std::uint16_t id = readDeviceId(form);
  if (const CatalogueEntry* detected = findChipByDeviceId(id)) {
    std::printf("%s, ревизия %s\n", detected->name, revisionText(*detected, id).c_str());
    return Outcome::done({});
  }
  if (noChipAnswered(id)) {
    std::printf(
        "Микроконтроллер не отвечает (идентификатор %s): в программаторе нет микроконтроллера, "
        "или это PIC16F84 или PIC16C84, у которых нет идентификатора.\n",
        hex4(id).c_str());
    // A PIC16F84 or PIC16C84 can say no more.
    if (!form.chip.profile.hasDeviceId()) return Outcome::done({});
    return Outcome::failed({}, {}, {});
  }
  std::printf("Неизвестный микроконтроллер (идентификатор %s).\n", hex4(id).c_str());
  return Outcome::failed({}, {}, {});
}

}  // namespace kalmar::cli
