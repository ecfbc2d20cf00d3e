#include "routes/routes.h"

#include "appearance/about_help.h"
#include "appearance/colour_commands.h"
#include "device/chip_selection.h"
#include "device/socket_check.h"
#include "files/hex_load.h"
#include "files/listing_command.h"
#include "files/listing_export.h"
#include "link/line_protocol.h"
#include "link/slowdown.h"
#include "memory/config_word.h"
#include "memory/data_editor.h"
#include "memory/data_memory.h"
#include "memory/erase.h"
#include "memory/id_locations.h"
#include "memory/program_chip.h"
#include "memory/program_read.h"
#include "memory/program_write.h"
#include "memory/read_all.h"

namespace kalmar {

void N3Click(TForm1& form) {
  form.window.request = FrontEndRequest::Close;
}
void N4Click(TForm1& form) {
  Button14Click(form);
}
void N10Click(TForm1& form) {
  Button8Click(form);
}
void N11Click(TForm1& form) {
  Button5Click(form);
}
void N12Click(TForm1& form) {
  Button10Click(form);
}
void N13Click(TForm1& form) {
  Button13Click(form);
}
void N24Click(TForm1& form) {
  Button16Click(form);
}
void N15Click(TForm1& form) {
  afterSocketCheck(form, Button7Click);
}
void N16Click(TForm1& form) {
  afterSocketCheck(form, Button9Click);
}
void N17Click(TForm1& form) {
  afterSocketCheck(form, Button12Click);
}
void N18Click(TForm1& form) {
  afterSocketCheck(form, Button15Click);
}
void N31Click(TForm1& form) {
  Button6Click(form);
}
void N32Click(TForm1& form) {
  Button4Click(form);
}
void N33Click(TForm1& form) {
  afterSocketCheck(form, Button11Click);
}
void N34Click(TForm1& form) {
  Button18Click(form);
}
void N43Click(TForm1& form) {
  afterSocketCheck(form, programFromFile);
}
void N44Click(TForm1& form) {
  afterSocketCheck(form, programFromFile);
}
void N36Click(TForm1& form) {
  Button8Click(form);
}
void N37Click(TForm1& form) {
  afterSocketCheck(form, Button7Click);
}
void N38Click(TForm1& form) {
  Button6Click(form);
}
void N39Click(TForm1& form) {
  Button16Click(form);
}
void N22Click(TForm1& form) {
  Button5Click(form);
}
void N23Click(TForm1& form) {
  Button4Click(form);
}
void N35Click(TForm1& form) {
  afterSocketCheck(form, Button9Click);
}
void N20Click(TForm1& form) {
  Button13Click(form);
}
void N21Click(TForm1& form) {
  afterSocketCheck(form, Button15Click);
}
void N14Click(TForm1& form) {
  Button10Click(form);
}
void N19Click(TForm1& form) {
  afterSocketCheck(form, Button12Click);
}
void SpeedButton7Click(TForm1& form) {
  Button14Click(form);
}
void SpeedButton4Click(TForm1& form) {
  Button18Click(form);
}
void SpeedButton11Click(TForm1& form) {
  Button8Click(form);
}
void SpeedButton12Click(TForm1& form) {
  afterSocketCheck(form, Button7Click);
}
void SpeedButton13Click(TForm1& form) {
  Button6Click(form);
}
void SpeedButton10Click(TForm1& form) {
  Button5Click(form);
}
void SpeedButton9Click(TForm1& form) {
  afterSocketCheck(form, Button9Click);
}
void SpeedButton8Click(TForm1& form) {
  Button4Click(form);
}

void N1Click(TForm1& form) {
  form.window.bg.Panel3Height = BgChooserState::kClosedHeight;
}

void Memo1Click(TForm1& form) {
  form.window.ActiveControl = "GroupBox2";
}
void Memo13Click(TForm1& form) {
  form.window.ActiveControl = "GroupBox4";
}

namespace {

// The slow-down items act on the menu and the line timing.
template <void (*Choose)(SlowdownMenuState&, TimingState&)>
void slowdownRoute(TForm1& form) {
  Choose(form.window.slowdown, form.chip.line.timing());
}

#define STATE(path) [](WindowState& w) -> MenuItem* { return &w.path; }

RouteNode chip(const char* name, RouteHandler handler, RouteStateOf state) {
  return {name, "", handler, state, {}};
}

// One item a catalogue row.
std::vector<RouteNode> chipItems() {
  std::vector<RouteNode> items;
  for (const CatalogueEntry& row : catalogue())
    items.push_back(chip(
        row.menuComponent, [&row](TForm1& form) { selectChip(form, row); },
        [&row](WindowState& window) { return &chipMenuItem(window, row); }));
  return items;
}

std::vector<RouteNode> buildMainMenu() {
  return {
      {"N1", "Приложение", N1Click, STATE(N1), {{"N3", "Закрыть", N3Click}}},
      {"N2",
       "Файл",
       N1Click,
       STATE(N2),
       {{"N4", "Открыть", N4Click, STATE(routes.N4)},
        {"N28", "Сохранить", N28Click, STATE(routes.N28)}}},
      {"N5",
       "Настройка",
       N1Click,
       STATE(N5),
       {{"ChipMenu", "Микроконтроллер", nullptr, nullptr, chipItems()},
        {"PortMenu",
         "Порт",
         nullptr,
         nullptr,
         {chip("LPT11", LPT11Click, STATE(chipMenu.LPT11)),
          chip("LPT2278h1", LPT2278h1Click, STATE(chipMenu.LPT2278h1))}},
        {"N40", "Окно - цветовая гамма", N40Click},
        {"SlowdownMenu",
         "Замедлить работу",
         nullptr,
         nullptr,
         {chip("N201", slowdownRoute<N201Click>, STATE(slowdown.N201)),
          chip("N501", slowdownRoute<N501Click>, STATE(slowdown.N501)),
          chip("N1001", slowdownRoute<N1001Click>, STATE(slowdown.N1001)),
          chip("N2001", slowdownRoute<N2001Click>, STATE(slowdown.N2001)),
          chip("N5001", slowdownRoute<N5001Click>, STATE(slowdown.N5001)),
          chip("N42", slowdownRoute<N42Click>, STATE(slowdown.N42))}}}},
      {"N8",
       "Прочитать",
       N1Click,
       STATE(N8),
       {{"N10", "Память программ", N10Click},
        {"N11", "Память данных", N11Click},
        {"N12", "Слово конфигурации", N12Click},
        {"N13", "Идентификатор", N13Click},
        {"N24", "Все", N24Click}}},
      {"N9",
       "Записать",
       N1Click,
       STATE(N9),
       {{"N15", "Память программ из файла", N15Click, STATE(routes.N15)},
        {"PIC2", "Память программ из PICа", [](TForm1& f) { afterSocketCheck(f, PIC2Click); },
         STATE(routes.PIC2)},
        {"N16", "Память данных", N16Click, STATE(routes.N16)},
        {"N17", "Слово конфигурации", N17Click, STATE(routes.N17)},
        {"N18", "Идентификатор", N18Click, STATE(routes.N18)},
        // Enabled with "Память программ из файла": when a file is loaded.
        {"N43", "Программировать всё из файла", N43Click, STATE(routes.N15)}}},
      {"N30",
       "Сервис",
       N1Click,
       STATE(N30),
       {{"N31", "Проверить память программ", N31Click, STATE(routes.N31)},
        {"N32", "Редактировать память данных", N32Click, STATE(routes.N32)},
        {"N33", "Стереть все", N33Click, STATE(routes.N33)},
        {"N34", "Дизассемблировать", N34Click, STATE(routes.N34)}}},
      {"N25",
       "Помощь",
       N1Click,
       STATE(N25),
       {{"N26", "Помощь", N26Click}, {"N27", "Схема", N27Click}, {"N29", "О программе", N29Click}}},
  };
}

std::vector<PopupMenu> buildPopupMenus() {
  return {
      {"PopupMenu1",
       {"GroupBox2"},
       {{"N36", "Прочитать память программ", N36Click},
        {"N37", "Записать память программ", N37Click, STATE(routes.N37)},
        {"N38", "Проверить память программ", N38Click, STATE(routes.N38)},
        {"N39", "Прочитать все", N39Click},
        {"N44", "Программировать всё из файла", N44Click, STATE(routes.N37)}}},
      {"PopupMenu2",
       {"GroupBox4"},
       {{"N22", "Прочитать память данных", N22Click, STATE(N22)},
        {"N23", "Редактировать память данных", N23Click, STATE(N23)},
        {"N35", "Записать память данных", N35Click, STATE(N35)}}},
      {"PopupMenu3",
       {"GroupBox8"},
       {{"N20", "Прочитать идентификатор", N20Click}, {"N21", "Записать идентификатор", N21Click}}},
      {"PopupMenu4",
       {"GroupBox5", "GroupBox7"},
       {{"N14", "Прочитать слово конфигурации", N14Click},
        {"N19", "Записать слово конфигурации", N19Click, STATE(routes.N19)}}},
  };
}

RouteNode speed(const char* name, const char* hint, RouteHandler handler,
                RouteStateOf state = nullptr) {
  return {name, "", handler, state, {}, hint};
}

std::vector<RouteNode> buildSpeedButtons() {
  return {
      speed("SpeedButton7", "Открыть файл", SpeedButton7Click),
      speed("SpeedButton4", "Дизассемблировать", SpeedButton4Click, STATE(routes.SpeedButton4)),
      speed("SpeedButton11", "Прочитать память программ", SpeedButton11Click),
      speed("SpeedButton12", "Записать память прграмм из файла", SpeedButton12Click,
            STATE(routes.SpeedButton12)),
      speed("SpeedButton13", "Проверить память программ", SpeedButton13Click,
            STATE(routes.SpeedButton13)),
      speed("SpeedButton10", "Прочитать память данных", SpeedButton10Click),
      speed("SpeedButton9", "Записать память данных", SpeedButton9Click),
      speed("SpeedButton8", "Редактировать память данных", SpeedButton8Click),
      speed("SpeedButton5", "Сохранить", SpeedButton5Click, STATE(routes.SpeedButton5)),
      speed("SpeedButton6", "Закрыть", SpeedButton6Click),
  };
}

#undef STATE

const RouteNode* findIn(const std::vector<RouteNode>& nodes, std::string_view name) {
  for (const RouteNode& node : nodes) {
    if (name == node.name) return &node;
    if (const RouteNode* found = findIn(node.children, name)) return found;
  }
  return nullptr;
}

}  // namespace

const std::vector<RouteNode>& mainMenu() {
  static const std::vector<RouteNode> menu = buildMainMenu();
  return menu;
}

const std::vector<PopupMenu>& popupMenus() {
  static const std::vector<PopupMenu> menus = buildPopupMenus();
  return menus;
}

const std::vector<RouteNode>& speedButtons() {
  static const std::vector<RouteNode> buttons = buildSpeedButtons();
  return buttons;
}

// A state's caption where it changes (a chosen chip, port or slow-down),
// else the table's.
std::string_view routeCaption(const RouteNode& node, WindowState& window) {
  if (node.state) {
    const std::string& shown = node.state(window)->Caption;
    if (!shown.empty()) return shown;
  }
  return node.caption;
}

bool routeEnabled(const RouteNode& node, WindowState& window) {
  return node.state == nullptr || node.state(window)->Enabled;
}

const RouteNode* findRoute(std::string_view name) {
  if (const RouteNode* found = findIn(mainMenu(), name)) return found;
  for (const PopupMenu& popup : popupMenus())
    if (const RouteNode* found = findIn(popup.items, name)) return found;
  return findIn(speedButtons(), name);
}

}  // namespace kalmar
