#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "model/form1.h"

namespace kalmar {

// The route table names each item's command itself; these few routes act
// on the window alone.
void N3Click(TForm1& form);  // "Приложение" -> "Закрыть"
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
