#include "win32/route_menus.h"

#include "desktop/accessible_names.h"
#include "win32/area_look.h"
#include "win32/picture_icons.h"
#include "win32/wide_text.h"

namespace kalmar::win32 {

namespace {

constexpr UINT kFirstId = 1000;

// "&" would underline the next letter in a menu.
std::wstring menuText(std::string_view caption) {
  std::wstring text;
  for (wchar_t c : wide(std::string(caption))) {
    if (c == L'&') text += L'&';
    text += c;
  }
  return text;
}

// The caption of the group a control lies in; empty outside the groups.
std::string groupCaptionOf(HWND parent) {
  for (HWND window = parent; window != nullptr; window = GetParent(window)) {
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    const std::string caption = Controls::textOf(window);
    if (std::wstring(className) == L"KalmarPanel" && caption.find_first_not_of(' ') != std::string::npos)
      return caption;
  }
  return {};
}

}  // namespace

RouteMenus::RouteMenus(HWND window, WindowLink& link)
    : window_(window), link_(link), bar_(CreateMenu()) {
  UINT position = 0;
  for (const RouteNode& top : mainMenu()) {
    HMENU menu = CreatePopupMenu();
    AppendMenuW(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                menuText(top.caption).c_str());
    topMenus_[menu] = &top;
    items_.push_back({bar_, position++, true, &top, top.caption, true});
    addItems(menu, top.children);
  }
  SetMenu(window_, bar_);
}

RouteMenus::~RouteMenus() {
  for (auto& [button, pictures] : pictures_) {
    if (pictures.normal) DestroyIcon(pictures.normal);
    if (pictures.faded) DestroyIcon(pictures.faded);
  }
}

UINT RouteMenus::idOf(const RouteNode& node) {
  const UINT id = kFirstId + static_cast<UINT>(byId_.size());
  byId_[id] = &node;
  return id;
}

void RouteMenus::addItems(HMENU menu, const std::vector<RouteNode>& nodes) {
  for (const RouteNode& node : nodes) {
    if (!node.children.empty()) {
      HMENU sub = CreatePopupMenu();
      AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub),
                  menuText(node.caption).c_str());
      addItems(sub, node.children);
      continue;
    }
    const UINT id = idOf(node);
    AppendMenuW(menu, MF_STRING, id, menuText(node.caption).c_str());
    items_.push_back({menu, id, false, &node, node.caption, true});
  }
}

HWND RouteMenus::pictureButton(const char* name, const std::string& hint, HWND parent,
                               const desktop::Rect& rect) {
  Controls& controls = link_.controls();
  // The button shows a picture: its text is what a screen reader reads.
  HWND button = controls.make(L"BUTTON", name, desktop::pictureButtonName(hint, groupCaptionOf(parent)),
                              WS_VISIBLE | BS_OWNERDRAW, parent, rect);
  const desktop::Picture picture = desktop::speedButtonPicture(name, controls.scale(16));
  pictures_[button] = {iconOf(picture), iconOf(desktop::fadedPicture(picture))};
  if (!hint.empty()) controls.setHint(button, hint);
  keepFocusAway(button);  // the focus stays in the cell or group that had it
  return button;
}

void RouteMenus::speedButton(const char* name, HWND group, int left, int top) {
  const RouteNode* node = findRoute(name);
  if (node == nullptr || group == nullptr) return;
  HWND button = pictureButton(name, node->hint ? node->hint : "", group,
                              {left, top, desktop::kSpeedButtonSize, desktop::kSpeedButtonSize});
  link_.controls().onCommand(button, [this, node](WORD code) {
    if (code == BN_CLICKED) link_.route(*node);
  });
  buttons_.emplace_back(button, node);
}

// A flat button as the speed buttons are drawn: a thin raised edge, sunken
// while pressed, the picture in the middle, faded while disabled.
bool RouteMenus::draw(const DRAWITEMSTRUCT& item) {
  const auto found = pictures_.find(item.hwndItem);
  if (found == pictures_.end()) return false;
  Controls& controls = link_.controls();
  HBRUSH face = CreateSolidBrush(controls.background);
  RECT box = item.rcItem;
  FillRect(item.hDC, &box, face);
  DeleteObject(face);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  DrawEdge(item.hDC, &box, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
  const int size = controls.scale(16);
  const int shift = pressed ? 1 : 0;
  HICON icon = disabled ? found->second.faded : found->second.normal;
  if (icon != nullptr)
    DrawIconEx(item.hDC, (box.left + box.right - size) / 2 + shift,
               (box.top + box.bottom - size) / 2 + shift, icon, size, size, 0, nullptr, DI_NORMAL);
  return true;
}

bool RouteMenus::menuCommand(UINT id) {
  const auto found = byId_.find(id);
  if (found == byId_.end()) return false;
  link_.route(*found->second);
  return true;
}

void RouteMenus::menuOpening(HMENU menu) {
  const auto found = topMenus_.find(menu);
  if (found == topMenus_.end() || found->second->handler == nullptr) return;
  const RouteNode* top = found->second;
  link_.input([top](TForm1& f) { top->handler(f); });
}

namespace {

// The pop-up menu a group of the window owns; null for none.
const PopupMenu* popupOf(const std::string& group) {
  const PopupMenu* chosen = nullptr;
  for (const PopupMenu& candidate : popupMenus())
    for (const char* owner : candidate.groups)
      if (group == owner) chosen = &candidate;
  return chosen;
}

}  // namespace

UINT RouteMenus::pickFromPopup(HMENU menu, const PopupMenu& popup, POINT at) {
  WindowState& window = link_.form().window;
  if (scriptedPopupChoice.empty())
    return static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0,
        window_, nullptr));
  UINT picked = 0;
  for (std::size_t i = 0; i < popup.items.size(); ++i)
    if (routeCaption(popup.items[i], window) == scriptedPopupChoice &&
        routeEnabled(popup.items[i], window))
      picked = static_cast<UINT>(i + 1);
  return picked;
}

bool RouteMenus::popup(const std::string& group, POINT at) {
  const PopupMenu* chosen = popupOf(group);
  if (chosen == nullptr) return false;
  HMENU menu = CreatePopupMenu();
  WindowState& window = link_.form().window;
  UINT id = 1;
  for (const RouteNode& item : chosen->items)
    AppendMenuW(menu, MF_STRING | (routeEnabled(item, window) ? 0 : MF_GRAYED), id++,
                menuText(routeCaption(item, window)).c_str());
  const UINT picked = pickFromPopup(menu, *chosen, at);
  DestroyMenu(menu);
  if (picked >= 1 && picked <= chosen->items.size()) link_.route(chosen->items[picked - 1]);
  return true;
}

bool RouteMenus::showItem(ShownItem& item, WindowState& window) {
  bool changed = false;
  const std::string_view caption = routeCaption(*item.node, window);
  if (caption != item.caption) {
    item.caption = caption;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    std::wstring text = menuText(caption);
    info.dwTypeData = text.data();
    SetMenuItemInfoW(item.menu, item.position, item.topLevel ? TRUE : FALSE, &info);
    changed = true;
  }
  const bool enabled = routeEnabled(*item.node, window);
  if (enabled != item.enabled) {
    item.enabled = enabled;
    const UINT by = item.topLevel ? MF_BYPOSITION : MF_BYCOMMAND;
    EnableMenuItem(item.menu, item.position, by | (enabled ? MF_ENABLED : MF_GRAYED));
    changed = true;
  }
  return changed && item.topLevel;
}

void RouteMenus::show(WindowState& window) {
  bool barChanged = false;
  for (ShownItem& item : items_) barChanged |= showItem(item, window);
  if (barChanged) DrawMenuBar(window_);
  // A disabled group (an edit in progress elsewhere) greys its buttons too.
  for (auto& [button, node] : buttons_)
    setEnabled(button, routeEnabled(*node, window) && IsWindowEnabled(GetParent(button)));
}

}  // namespace kalmar::win32
