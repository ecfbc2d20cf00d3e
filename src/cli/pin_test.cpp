#include "cli/pin_test.h"

#include <cstdio>

#include "link/line_protocol.h"
#include "link/step_sequences.h"
#include "link/stop_request.h"
#include "model/hex_text.h"

namespace kalmar::cli {

namespace {

// Each step adds one line to the ones before: the data line released, the
// clock high, the first switch on, the second switch on.
struct PinStep {
  std::uint8_t byte;
  const char* what;
};
constexpr PinStep kSteps[] = {
    {0x0F, "покой: оба ключа выключены, CLOCK и DATA прижаты к общему"},
    {0x0E, "DATA отпущена (D0 = 0)"},
    {0x0C, "CLOCK поднята (D1 = 0)"},
    {0x08, "включён первый ключ (D2 = 0)"},
    {0x00, "включён второй ключ (D3 = 0)"},
};

const char* level(bool high, const char* highText) {
  return high ? highText : "0 В";
}

void describe(std::uint8_t byte) {
  const bool dataHigh = (byte & 0x01) == 0, clockHigh = (byte & 0x02) == 0;
  const bool firstOn = (byte & 0x04) == 0, secondOn = (byte & 0x08) == 0;
  std::printf("  Разъём LPT: контакт 2 (D0) %s, 3 (D1) %s, 4 (D2) %s, 5 (D3) %s.\n",
              byte & 0x01 ? "высокий" : "низкий", byte & 0x02 ? "высокий" : "низкий",
              byte & 0x04 ? "высокий" : "низкий", byte & 0x08 ? "высокий" : "низкий");
  // The three sockets' pins, 18 / 8 / 14 pins: PIC16F84, 62x, 648A; PIC12F629/675;
  // PIC16F630/676.
  std::printf(
      "  Панели 18 / 8 / 14 выводов: DATA (выводы 13 / 7 / 13) %s; CLOCK (12 / 6 / 12) %s;\n",
      level(dataHigh, "≈5 В"), level(clockHigh, "≈5 В"));
  std::printf("          MCLR/VPP (4 / 4 / 4) %s; VDD (14 / 1 / 1) %s; VSS (5 / 8 / 14) 0 В.\n",
              level(firstOn, "≈13 В"), level(secondOn, "≈5 В"));
}

// The programmer check's loop-back, telling which half failed.
bool loopBack(LineProtocol& line, std::uint8_t byte) {
  line.Write1(static_cast<std::uint8_t>(byte | 0x01));  // data pulled low
  line.Paus(50);
  const bool lowReadsLow = line.Read_ASM() == 0;
  line.Write1(static_cast<std::uint8_t>(byte & ~0x01));  // data released
  line.Paus(50);
  const bool releasedReadsHigh = line.Read_ASM() == 1;
  line.Write1(byte);
  std::printf("  Чтение DATA через контакт 10: прижатая — %s, отпущенная — %s.\n",
              lowReadsLow ? "низкая, верно" : "ВЫСОКАЯ, ошибка",
              releasedReadsHigh ? "высокая, верно" : "НИЗКАЯ, ошибка");
  if (!lowReadsLow)
    std::printf(
        "    Прижатая DATA читается высокой: линия не прижимается (обрыв от контакта 2, "
        "первый инвертор) или чтение её не видит (инвертор чтения, контакт 10).\n");
  if (!releasedReadsHigh)
    std::printf(
        "    Отпущенная DATA читается низкой: адаптер не подключён или без питания "
        "(свободный контакт 10 читается так же), DATA замкнута на общий, нет подтяжки R1 "
        "или неисправен инвертор чтения.\n");
  return lowReadsLow && releasedReadsHigh;
}

// Ctrl-Z during a step: the adapter idle while suspended, the step's lines
// back when continued.
bool suspendIdle(LineProtocol& line, std::uint8_t byte) {
  if (!takeSuspend()) return false;
  line.Write1(line::kIdle);
  suspendNow();
  line.Write1(byte);
  return true;
}

// A timed step waits in 1 ms slices, so that a stop ends it at once: the
// line write it makes then puts the adapter idle.
void waitStep(LineProtocol& line, std::uint8_t byte, int ms) {
  for (int i = 0; i < ms; ++i) {
    line.Paus(125);  // 8 µs units
    suspendIdle(line, byte);
    if (pendingStop()) {
      line.Write1(byte);
      return;
    }
  }
}

void hold(LineProtocol& line, std::uint8_t byte, const Options& options, bool interactive) {
  if (interactive && !options.autoSteps) {
    std::printf("  Enter — следующий шаг.");
    std::fflush(stdout);
    char answer[16];
    // Continued after Ctrl-Z, the question is still open.
    while (std::fgets(answer, sizeof answer, stdin) == nullptr) {
      if (!suspendIdle(line, byte)) {
        std::printf("\n");
        break;
      }
      std::clearerr(stdin);
    }
    return;
  }
  waitStep(line, byte, options.stepMs);
}

// A chip entered at low voltage only must never get VPP, and step 4 switches
// it on: the user confirms that no such chip is on the adapter (--yes, or
// "y" at the terminal); without a terminal and --yes nothing is switched.
bool confirmNoChipForVpp(const TForm1& form, const Options& options, bool interactive) {
  std::printf(
      "Выбран %s: на его MCLR нельзя подавать больше 9 В, а шаг 4 включает ключ VPP (около "
      "12,7 В).\nВыньте микроконтроллер из панели и отсоедините разъём ICSP от платы с ним.\n",
      form.chip.profile.name.c_str());
  if (options.yes) return true;
  if (!interactive) {
    std::printf("Без терминала проверка не выполняется; --yes подтверждает, что микроконтроллера "
                "в адаптере нет.\n");
    return false;
  }
  std::printf("Микроконтроллера в адаптере нет? (y - да): ");
  std::fflush(stdout);
  char answer[16];
  if (std::fgets(answer, sizeof answer, stdin) == nullptr) return false;
  return answer[0] == 'y' || answer[0] == 'Y';
}

// The line's VPP guard lifted while the confirmed test runs, back after it.
class VppGuardLifted {
 public:
  explicit VppGuardLifted(LineProtocol& line) : line_(line), was_(line.lowVoltageEntry()) {
    line_.setLowVoltageEntry(false);
  }
  ~VppGuardLifted() { line_.setLowVoltageEntry(was_); }
  VppGuardLifted(const VppGuardLifted&) = delete;
  VppGuardLifted& operator=(const VppGuardLifted&) = delete;

 private:
  LineProtocol& line_;
  bool was_;
};

}  // namespace

bool runPinTest(TForm1& form, const Options& options, bool interactive) {
  LineProtocol& line = form.chip.line;
  if (line.lowVoltageEntry() && !confirmNoChipForVpp(form, options, interactive)) return false;
  VppGuardLifted lifted(line);
  std::printf(
      "Проверка адаптера без микроконтроллера (выньте его из панели). Порт %s.\n"
      "Уровни панели — для адаптера по схеме Shema.htm: первый ключ (D2) даёт VPP,\n"
      "второй (D3) — VDD.\n",
      hex4(form.port.dataRegister).c_str() + 1);
  bool good = true;
  const int count = static_cast<int>(sizeof kSteps / sizeof kSteps[0]);
  for (int i = 0; i < count; ++i) {
    const PinStep& step = kSteps[i];
    line.Write1(step.byte);
    std::printf("Шаг %d из %d: %s, в порт записано %s.\n", i + 1, count, step.what,
                hex2(step.byte).c_str());
    describe(step.byte);
    good = loopBack(line, step.byte) && good;
    hold(line, step.byte, options, interactive);
  }
  line.Write1(line::kIdle);
  std::printf(good ? "Итог: линии управляются, чтение DATA работает. Адаптер выключен.\n"
                   : "Итог: чтение DATA неисправно (см. выше). Адаптер выключен.\n");
  return good;
}

}  // namespace kalmar::cli
