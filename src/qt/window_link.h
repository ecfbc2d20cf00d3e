#pragma once

#include <functional>

#include "model/form1.h"
#include "routes/routes.h"

namespace kalmar::qt {

// How the widgets of an area reach the window: a route starts a command
// (after the event that chose it has finished), an input handler runs at
// once; after either, the widgets show the window state again.
class WindowLink {
 public:
  virtual ~WindowLink() = default;
  virtual void route(const RouteNode& node) = 0;
  virtual void input(const std::function<void(TForm1&)>& handler) = 0;
  virtual TForm1& form() = 0;
};

}  // namespace kalmar::qt
