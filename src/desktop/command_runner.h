#pragma once

#include <functional>

#include "model/form1.h"
#include "routes/routes.h"

namespace kalmar::desktop {

// How a window runs the commands its menus and buttons start: one at a
// time, the window shown again after each, what the command asked of the
// front end (a dialog, the close) taken after it, and a close box pressed
// during a command kept until the command has ended, so the adapter is idle
// and the window is never torn down under a running command.
class CommandRunner {
 public:
  explicit CommandRunner(TForm1& form) : form_(form) {}

  // Runs the command unless one runs already or the window has closed.
  void run(const RouteHandler& handler);
  bool running() const { return running_; }
  bool closed() const { return closed_; }

  // The close box: true when the window may go now, its chip file and
  // settings saved; during a command the close waits for its end.
  bool requestClose();
  // The end without a box (a stop signal between commands, or the close):
  // the chip file, then the settings.
  void closeForStop();

  std::function<void()> showState;    // the window shows the state again
  std::function<void()> afterCommand;  // e.g. the simulator's findings
  std::function<void()> onClosed;      // before the settings are written
  // Opens the colour dialog or the About box; returns when it has closed.
  std::function<void(FrontEndRequest)> openDialog;
  // Closes the window as its close box does (the front end then calls requestClose).
  std::function<void()> closeWindow;

 private:
  void takeRequest();

  TForm1& form_;
  bool running_ = false;
  bool closePending_ = false;
  bool closed_ = false;
};

}  // namespace kalmar::desktop
