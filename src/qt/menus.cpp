#include "qt/menus.h"

#include <QGroupBox>
#include <QMenu>

#include "desktop/accessible_names.h"
#include "qt/icons.h"
#include "qt/qt_text.h"

namespace kalmar::qt {

namespace {

// What a screen reader reads for a speed button: what it does, and where
// when two groups have a button that does the same ("Сохранить").
QString accessibleNameOf(const QString& hint, QWidget* parent) {
  for (QWidget* widget = parent; widget != nullptr; widget = widget->parentWidget())
    if (auto* group = qobject_cast<QGroupBox*>(widget);
        group && !group->title().trimmed().isEmpty())
      return qs(desktop::pictureButtonName(hint.toStdString(), group->title().toStdString()));
  return hint;
}

}  // namespace

QToolButton* pictureButton(const char* name, const char* hint, QWidget* parent, int left, int top) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setIcon(speedButtonIcon(name));
  button->setIconSize(QSize(16, 16));
  button->setAutoRaise(true);
  button->setToolTip(QString::fromUtf8(hint));
  button->setAccessibleName(accessibleNameOf(QString::fromUtf8(hint), parent));
  button->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
  button->setGeometry(left, top, 22, 22);
  return button;
}

RouteWidgets::RouteWidgets(QMenuBar* menuBar, WindowLink& link) : link_(link) {
  for (const RouteNode& top : mainMenu()) {
    QMenu* menu = menuBar->addMenu(QString::fromUtf8(top.caption));
    menu->setObjectName(top.name);
    menu->menuAction()->setObjectName(top.name);
    actions_.push_back({menu->menuAction(), &top, top.caption});
    // Opening a top menu runs its handler (it closes the BG chooser).
    QObject::connect(menu, &QMenu::aboutToShow, menu,
                     [this, &top] { link_.input([&top](TForm1& f) { top.handler(f); }); });
    addItems(menu, top.children);
  }
}

void RouteWidgets::addItems(QMenu* menu, const std::vector<RouteNode>& nodes) {
  for (const RouteNode& node : nodes) {
    if (!node.children.empty()) {
      QMenu* sub = menu->addMenu(QString::fromUtf8(node.caption));
      sub->setObjectName(node.name);
      addItems(sub, node.children);
      continue;
    }
    QAction* action = menu->addAction(QString::fromUtf8(node.caption));
    action->setObjectName(node.name);
    QObject::connect(action, &QAction::triggered, action, [this, &node] { link_.route(node); });
    actions_.push_back({action, &node, node.caption});
  }
}

QToolButton* RouteWidgets::speedButton(const char* name, QWidget* parent, int left, int top) {
  const RouteNode* node = findRoute(name);
  QToolButton* button = pictureButton(name, node->hint, parent, left, top);
  QObject::connect(button, &QToolButton::clicked, button, [this, node] { link_.route(*node); });
  buttons_.emplace_back(button, node);
  return button;
}

void RouteWidgets::attachPopup(QWidget* group) {
  const std::string name = group->objectName().toStdString();
  const PopupMenu* popup = nullptr;
  for (const PopupMenu& candidate : popupMenus())
    for (const char* owner : candidate.groups)
      if (name == owner) popup = &candidate;
  if (popup == nullptr) return;
  group->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(group, &QWidget::customContextMenuRequested, group,
                   [this, group, popup](QPoint at) {
                     QMenu menu(group);
                     menu.setObjectName(popup->name);
                     for (const RouteNode& item : popup->items) {
                       QAction* action =
                           menu.addAction(qs(std::string(routeCaption(item, link_.form().window))));
                       action->setObjectName(item.name);
                       action->setEnabled(routeEnabled(item, link_.form().window));
                       QObject::connect(action, &QAction::triggered, action,
                                        [this, &item] { link_.route(item); });
                     }
                     menu.exec(group->mapToGlobal(at));
                   });
}

void RouteWidgets::show(WindowState& window) {
  for (ShownAction& shown : actions_) {
    const std::string_view caption = routeCaption(*shown.node, window);
    if (caption != shown.caption) {
      shown.caption = caption;
      shown.action->setText(qs(shown.caption));
    }
    const bool enabled = routeEnabled(*shown.node, window);
    if (shown.action->isEnabled() != enabled) shown.action->setEnabled(enabled);
  }
  for (auto& [button, node] : buttons_) {
    setOwnEnabled(button, routeEnabled(*node, window));
  }
}

}  // namespace kalmar::qt
