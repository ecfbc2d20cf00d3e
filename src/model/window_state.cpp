#include "model/window_state.h"

#include <initializer_list>

namespace kalmar {

// Memo12: the blank word column, a line "3FFF" a row.
std::vector<std::string> columnLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

const std::string& blankProgramColumn() {
  static const std::string column = [] {
    std::string text;
    for (int row = 0; row < kProgramRows; ++row) text += "3FFF\r\n";
    return text;
  }();
  return column;
}

void RouteState::enableFileProgramRoutes(bool enabled) {
  for (MenuItem* item : {&N15, &N31, &N37, &N38, &SpeedButton12, &SpeedButton13})
    item->Enabled = enabled;
}

// The design state of the window, as it stands before start-up changes it.
WindowState::WindowState() {
  programColumns.fill(blankProgramColumn());
  dataCells.fill("FF");
  Memo15.assign(kMaxProgramWords, " ");
  const char* radioCaptions[13] = {"",   "RC", "HS",     "XT",     "LP",  "LP", "XT",
                                   "HS", "EC", "INTRC1", "INTRC2", "RC1", "RC2"};
  const char* radioHints[13] = {"",
                                "RC генератор",
                                "Высокочастотный резонатор",
                                "Обычный резонатор",
                                "Низкочастотный резонатор",
                                "Низкочастотный резонатор",
                                "Обычный резонатор",
                                "Высокочастотный резонатор",
                                "",
                                "",
                                "",
                                "",
                                ""};
  for (int i = 1; i <= 12; ++i) RadioButton[i] = {radioCaptions[i], radioHints[i], false};
  RadioButton[1].Checked = true;
  RadioButton[9].Checked = true;
  const char* checkCaptions[11] = {"",      "WDT",   "PWRT",  "Защита кода",     "WDTE",
                                   "PWRTE", "MCLRE", "BOREN", "Память программ", "Память данных",
                                   "LVP"};
  const char* checkHints[11] = {"",
                                "Сторожевой таймер",
                                "Таймер включения питания",
                                "",
                                "Сторожевой таймер",
                                "Таймер включения питания",
                                "Режим работы вывода RA5/-MCLR",
                                "Сброс по снижению напряжения питания",
                                "Защита кода памяти программ",
                                "Защита кода памяти данных",
                                "Низковольтное программирование"};
  for (int i = 1; i <= 10; ++i) CheckBox[i] = {checkCaptions[i], checkHints[i], false};
}

}  // namespace kalmar
