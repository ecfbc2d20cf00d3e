#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "win32/window_link.h"

namespace kalmar::win32 {

// Every route the window offers, built from the core's route tables: the
// main menu, the pop-up menus (opened by a right click in their groups) and
// the speed buttons. Each shows its route's caption and enabled state and
// starts its route when chosen.
class RouteMenus {
 public:
  RouteMenus(HWND window, WindowLink& link);
  ~RouteMenus();
  RouteMenus(const RouteMenus&) = delete;
  RouteMenus& operator=(const RouteMenus&) = delete;

  // A speed button of the route table, placed in a group.
  void speedButton(const char* name, HWND group, int left, int top);
  // A plain picture button (the editor's and the BG list's): named, with a
  // hint, taking no focus; the caller gives it its handler.
  HWND pictureButton(const char* name, const std::string& hint, HWND parent,
                     const desktop::Rect& rect);
  // WM_COMMAND of a menu item: true when it was one of ours.
  bool menuCommand(UINT id);
  // WM_INITMENUPOPUP: opening a top-level menu runs its handler.
  void menuOpening(HMENU menu);
  // The pop-up menu of the named group, at a screen point; false when the group has none.
  bool popup(const std::string& group, POINT at);
  void show(WindowState& window);
  // WM_DRAWITEM of a picture button: true when it was one of ours.
  bool draw(const DRAWITEMSTRUCT& item);

  // Tests choose a pop-up menu's item by its caption instead of clicking it.
  static inline std::string scriptedPopupChoice;

 private:
  void addItems(HMENU menu, const std::vector<RouteNode>& nodes);
  UINT idOf(const RouteNode& node);
  struct ShownItem;
  // The item's caption and enabled state as the window has them; true when
  // a top-level item changed, which the menu bar must be redrawn for.
  static bool showItem(ShownItem& item, WindowState& window);
  // The pop-up's item chosen (1 for the first), 0 for none.
  UINT pickFromPopup(HMENU menu, const PopupMenu& popup, POINT at);

  HWND window_;
  WindowLink& link_;
  HMENU bar_;
  struct ShownItem {
    HMENU menu;
    UINT position;  // top-level items are addressed by position
    bool topLevel;
    const RouteNode* node;
    std::string caption;
    bool enabled;
  };
  std::vector<ShownItem> items_;
  std::map<UINT, const RouteNode*> byId_;
  std::map<HMENU, const RouteNode*> topMenus_;
  std::vector<std::pair<HWND, const RouteNode*>> buttons_;
  // A picture button's picture, and the faded one it shows when disabled
  // (the system would draw a disabled icon as a grey blob).
  struct Pictures {
    HICON normal;
    HICON faded;
  };
  std::map<HWND, Pictures> pictures_;
};

}  // namespace kalmar::win32
