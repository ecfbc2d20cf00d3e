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

// A route that writes or erases: the chip in the socket is asked first.
RouteHandler socketChecked(Outcome (*command)(TForm1&)) {
  return [command](TForm1& form) { afterSocketCheck(form, command); };
}

#define STATE(path) [](WindowState& w) -> MenuItem* { return &w.path; }

RouteNode chip(const char* name, RouteHandler handler, RouteStateOf state) {
  return {name, "", handler, state, {}};
}

RouteNode chipItem(const CatalogueEntry& row) {
  return chip(
      row.menuComponent, [&row](TForm1& form) { selectChip(form, row); },
      [&row](WindowState& window) { return &chipMenuItem(window, row); });
}

// One item a catalogue row: the first chips' in the menu itself, the later
// ones' in their family's submenu after them.
std::vector<RouteNode> chipItems() {
  std::vector<RouteNode> items;
  for (const CatalogueEntry& row : catalogue())
    if (chipMenuGroupOf(row) == nullptr) items.push_back(chipItem(row));
  for (const ChipMenuGroup& group : chipMenuGroups()) {
    std::vector<RouteNode> members;
    for (const CatalogueEntry& row : catalogue())
      if (chipMenuGroupOf(row) == &group) members.push_back(chipItem(row));
    if (!members.empty()) items.emplace_back(group.component, group.caption, nullptr, nullptr, members);
  }
  return items;
}

std::vector<RouteNode> buildMainMenu() {
  return {
      {"N1", "Приложение", N1Click, STATE(N1), {{"N3", "Закрыть", N3Click}}},
      {"N2",
       "Файл",
       N1Click,
       STATE(N2),
       {{"N4", "Открыть", Button14Click, STATE(routes.N4)},
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
       {{"N10", "Память программ", Button8Click},
        {"N11", "Память данных", Button5Click},
        {"N12", "Слово конфигурации", Button10Click},
        {"N13", "Идентификатор", Button13Click},
        {"N24", "Все", Button16Click}}},
      {"N9",
       "Записать",
       N1Click,
       STATE(N9),
       {{"N15", "Память программ из файла", socketChecked(Button7Click), STATE(routes.N15)},
        {"PIC2", "Память программ из PICа", socketChecked(PIC2Click), STATE(routes.PIC2)},
        {"N16", "Память данных", socketChecked(Button9Click), STATE(routes.N16)},
        {"N17", "Слово конфигурации", socketChecked(Button12Click), STATE(routes.N17)},
        {"N18", "Идентификатор", socketChecked(Button15Click), STATE(routes.N18)},
        // Enabled with "Память программ из файла": when a file is loaded.
        {"N43", "Программировать всё из файла", socketChecked(programFromFile),
         STATE(routes.N15)}}},
      {"N30",
       "Сервис",
       N1Click,
       STATE(N30),
       {{"N31", "Проверить память программ", Button6Click, STATE(routes.N31)},
        {"N32", "Редактировать память данных", Button4Click, STATE(routes.N32)},
        {"N33", "Стереть все", socketChecked(Button11Click), STATE(routes.N33)},
        {"N34", "Дизассемблировать", Button18Click, STATE(routes.N34)}}},
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
       {{"N36", "Прочитать память программ", Button8Click},
        {"N37", "Записать память программ", socketChecked(Button7Click), STATE(routes.N37)},
        {"N38", "Проверить память программ", Button6Click, STATE(routes.N38)},
        {"N39", "Прочитать все", Button16Click},
        {"N44", "Программировать всё из файла", socketChecked(programFromFile),
         STATE(routes.N37)}}},
      {"PopupMenu2",
       {"GroupBox4"},
       {{"N22", "Прочитать память данных", Button5Click, STATE(N22)},
        {"N23", "Редактировать память данных", Button4Click, STATE(N23)},
        {"N35", "Записать память данных", socketChecked(Button9Click), STATE(N35)}}},
      {"PopupMenu3",
       {"GroupBox8"},
       {{"N20", "Прочитать идентификатор", Button13Click},
        {"N21", "Записать идентификатор", socketChecked(Button15Click)}}},
      {"PopupMenu4",
       {"GroupBox5", "GroupBox7", "FieldPanel"},
       {{"N14", "Прочитать слово конфигурации", Button10Click},
        {"N19", "Записать слово конфигурации", socketChecked(Button12Click), STATE(routes.N19)}}},
  };
}

RouteNode speed(const char* name, const char* hint, RouteHandler handler,
                RouteStateOf state = nullptr) {
  return {name, "", handler, state, {}, hint};
}

std::vector<RouteNode> buildSpeedButtons() {
  return {
      speed("SpeedButton7", "Открыть файл", Button14Click),
      speed("SpeedButton4", "Дизассемблировать", Button18Click, STATE(routes.SpeedButton4)),
      speed("SpeedButton11", "Прочитать память программ", Button8Click),
      speed("SpeedButton12", "Записать память прграмм из файла", socketChecked(Button7Click),
            STATE(routes.SpeedButton12)),
      speed("SpeedButton13", "Проверить память программ", Button6Click,
            STATE(routes.SpeedButton13)),
      speed("SpeedButton10", "Прочитать память данных", Button5Click),
      speed("SpeedButton9", "Записать память данных", socketChecked(Button9Click)),
      speed("SpeedButton8", "Редактировать память данных", Button4Click),
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
