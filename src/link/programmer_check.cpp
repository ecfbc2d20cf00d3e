#include "link/programmer_check.h"

namespace kalmar {

namespace {
constexpr const char* kCheckRunning = "Выполняемое действие: проверка программатора.";
constexpr const char* kCheckFailedStatus =
    " Последнее выполненое действие: проверка программатора, программатор не обнаружен.";
constexpr const char* kCheckFailedCaption = "Ошибка при программировании.";
constexpr const char* kCheckFailedText =
    "Прграмматор не обнаружен. Проверьте правильность соединения,\r\n"
    "порт подключения, напряжение питания программатора.";
}  // namespace

bool Chek_Hard(CheckContext context) {
  LineProtocol& line = context.line;
  context.platform.setPriorityClass(PriorityClass::RealTime);
  context.window.StatusBar1 = kCheckRunning;
  context.window.StatusBar2.clear();

  line.Write1(line::kFirstSupplyOn);
  line.Paus(500);
  line.Write1(line::kClockLowDataLow);
  line.Paus(500);
  bool failed = line.Read_ASM() != 0;  // forced low must read low
  if (!failed) line.Write1(line::kClockLowDataReleased);
  line.Paus(50);
  if (line.Read_ASM() != 1) failed = true;  // released must read high
  line.Write1(line::kIdle);

  if (failed) {
    context.host.messageBox(kCheckFailedCaption, kCheckFailedText, MessageIcon::Error,
                            MessageButtons::Ok);
    context.window.StatusBar1 = kCheckFailedStatus;
  }
  context.platform.setPriorityClass(PriorityClass::Normal);
  return !failed;
}

Outcome Chek_Hard(TForm1& form) {
  const bool found = Chek_Hard(CheckContext{form.chip.line, form.platform, form.host, form.window});
  if (found) return Outcome::done({});
  return {OutcomeKind::NoProgrammer, kCheckFailedCaption, kCheckFailedText, kCheckFailedStatus, {}};
}

void Button17Click(TForm1& form) {
  (void)Chek_Hard(form);
}

}  // namespace kalmar
