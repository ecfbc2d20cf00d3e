#pragma once

#include <functional>

#include "model/form1.h"
#include "routes/routes.h"
#include "win32/controls.h"

namespace kalmar::win32 {

// How the controls of an area reach the window: a route starts a command
// (after the message that chose it has been handled), an input handler runs
// at once; after either, the controls show the window state again.
class WindowLink {
 public:
  virtual ~WindowLink() = default;
  virtual void route(const RouteNode& node) = 0;
  virtual void input(const std::function<void(TForm1&)>& handler) = 0;
  virtual TForm1& form() = 0;
  virtual Controls& controls() = 0;
};

}  // namespace kalmar::win32
