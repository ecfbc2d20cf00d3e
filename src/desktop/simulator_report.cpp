#include "desktop/simulator_report.h"

#include <cstdio>

#include "sim/sim_log.h"

namespace kalmar::desktop {

std::string simulatorFindings(const sim::SimLog& log) {
  constexpr std::size_t kShown = 10;
  std::string text;
  std::size_t told = 0;
  for (const sim::SimEvent& event : log.events()) {
    if (event.kind == sim::EventKind::BusyCommand || ++told > kShown) continue;
    text += (event.kind == sim::EventKind::Violation ? "Нарушение: " : "Предупреждение: ") +
            event.text + "\r\n";
  }
  if (told > kShown) text += "... и ещё " + std::to_string(told - kShown) + ".\r\n";
  if (log.violations() > 0) text += "Настоящий микроконтроллер мог быть записан неверно.";
  return text;
}

std::string factoryValuesText(std::uint16_t calibration, std::uint8_t bg) {
  char text[96];
  std::snprintf(text, sizeof text, "Калибровочное слово %04X, биты BG %d%d", calibration,
                (bg >> 5) & 1, (bg >> 4) & 1);
  return text;
}

}  // namespace kalmar::desktop
