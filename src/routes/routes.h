#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "model/form1.h"

namespace kalmar {

// The route handlers of the main window: main menu items, pop-up items and
// speed buttons. Each forwards to its command; none holds logic of its own.
void N3Click(TForm1& form);   // "Приложение" -> "Закрыть"
void N4Click(TForm1& form);   // "Файл" -> "Открыть"
void N10Click(TForm1& form);  // "Прочитать" -> "Память программ"
void N11Click(TForm1& form);  // "Прочитать" -> "Память данных"
void N12Click(TForm1& form);  // "Прочитать" -> "Слово конфигурации"
void N13Click(TForm1& form);  // "Прочитать" -> "Идентификатор"
void N24Click(TForm1& form);  // "Прочитать" -> "Все"
void N15Click(TForm1& form);  // "Записать" -> "Память программ из файла"
void N16Click(TForm1& form);  // "Записать" -> "Память данных"
void N17Click(TForm1& form);  // "Записать" -> "Слово конфигурации"
void N18Click(TForm1& form);  // "Записать" -> "Идентификатор"
void N43Click(TForm1& form);  // "Записать" -> "Программировать всё из файла"
void N31Click(TForm1& form);  // "Сервис" -> "Проверить память программ"
void N32Click(TForm1& form);  // "Сервис" -> "Редактировать память данных"
void N33Click(TForm1& form);  // "Сервис" -> "Стереть все"
void N34Click(TForm1& form);  // "Сервис" -> "Дизассемблировать"
// "Окно - цветовая гамма" (N40Click), "Помощь" (N26Click), "Схема"
// (N27Click), "О программе" (N29Click): see appearance/.
// Pop-up menus of the program memory, data memory, ID and configuration groups.
void N36Click(TForm1& form);
void N37Click(TForm1& form);
void N38Click(TForm1& form);
void N39Click(TForm1& form);
void N44Click(TForm1& form);  // "Программировать всё из файла" in the program memory pop-up
void N22Click(TForm1& form);
void N23Click(TForm1& form);
void N35Click(TForm1& form);
void N20Click(TForm1& form);
void N21Click(TForm1& form);
void N14Click(TForm1& form);
void N19Click(TForm1& form);
// Speed buttons.
void SpeedButton7Click(TForm1& form);   // "Открыть файл"
void SpeedButton4Click(TForm1& form);   // "Дизассемблировать"
void SpeedButton11Click(TForm1& form);  // "Прочитать память программ"
void SpeedButton12Click(TForm1& form);  // "Записать память прграмм из файла"
void SpeedButton13Click(TForm1& form);  // "Проверить память программ"
void SpeedButton10Click(TForm1& form);  // "Прочитать память данных"
void SpeedButton9Click(TForm1& form);   // "Записать память данных"
void SpeedButton8Click(TForm1& form);   // "Редактировать память данных"
// Every top-level menu: opening one closes the BG chooser.
void N1Click(TForm1& form);
// A click into a read-only column moves the focus to a group.
void Memo1Click(TForm1& form);   // program memory columns -> GroupBox2
void Memo13Click(TForm1& form);  // listing columns -> GroupBox4

using RouteHandler = std::function<void(TForm1&)>;
// The state (caption, enabled) a route shows; empty when it never changes.
using RouteStateOf = std::function<MenuItem*(WindowState&)>;

// One entry of a menu, a pop-up or the speed buttons. A node with children
// is a submenu; its handler, if any, runs when it opens.
struct RouteNode {
  RouteNode(const char* name, const char* caption, RouteHandler handler = nullptr,
            RouteStateOf state = nullptr, std::vector<RouteNode> children = {},
            const char* hint = nullptr)
      : name(name),
        caption(caption),
        handler(handler),
        state(state),
        children(std::move(children)),
        hint(hint) {}

  const char* name;  // the component name
  const char* caption;
  RouteHandler handler;
  RouteStateOf state;
  std::vector<RouteNode> children;
  const char* hint;  // speed buttons: their tooltip
};

// The main menu, top-level items in order with their items.
const std::vector<RouteNode>& mainMenu();
// The four pop-up menus, each named after the group it opens on.
struct PopupMenu {
  const char* name;
  std::vector<const char*> groups;  // the groups a right click opens it in
  std::vector<RouteNode> items;
};
const std::vector<PopupMenu>& popupMenus();
// The speed buttons of the program memory, data memory and listing groups.
const std::vector<RouteNode>& speedButtons();

// The caption and enabled state a route shows now.
std::string_view routeCaption(const RouteNode& node, WindowState& window);
bool routeEnabled(const RouteNode& node, WindowState& window);
// The route with that component name anywhere in the tables, or null.
const RouteNode* findRoute(std::string_view name);

}  // namespace kalmar
