#pragma once

#include <QAction>
#include <QMenuBar>
#include <QToolButton>
#include <utility>
#include <vector>

#include "qt/window_link.h"

namespace kalmar::qt {

// Every route the window offers, built from the core's route tables: the
// main menu, the four pop-up menus (opened by a right click in their
// groups) and the speed buttons. Each shows its route's caption and enabled
// state and starts its route when chosen.
class RouteWidgets {
 public:
  RouteWidgets(QMenuBar* menuBar, WindowLink& link);

  // A speed button of the route table, placed in a group.
  QToolButton* speedButton(const char* name, QWidget* parent, int left, int top);
  // A right click in the group opens the pop-up menu that belongs to it.
  void attachPopup(QWidget* group);
  void show(WindowState& window);

 private:
  void addItems(QMenu* menu, const std::vector<RouteNode>& nodes);

  WindowLink& link_;
  struct ShownAction {
    QAction* action;
    const RouteNode* node;
    std::string caption;
  };
  std::vector<ShownAction> actions_;
  std::vector<std::pair<QToolButton*, const RouteNode*>> buttons_;
};

// A plain tool button with one of the window's pictures and a hint.
QToolButton* pictureButton(const char* name, const char* hint, QWidget* parent, int left, int top);

}  // namespace kalmar::qt
