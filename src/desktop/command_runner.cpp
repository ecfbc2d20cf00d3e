#include "desktop/command_runner.h"

#include "device/startup.h"

namespace kalmar::desktop {

void CommandRunner::run(const RouteHandler& handler) {
  if (running_ || closed_ || handler == nullptr) return;
  running_ = true;
  handler(form_);
  running_ = false;
  if (showState) showState();
  if (afterCommand) afterCommand();
  takeRequest();
  if (closePending_ && !closed_ && closeWindow) closeWindow();
}

void CommandRunner::takeRequest() {
  const FrontEndRequest request = form_.window.request;
  form_.window.request = FrontEndRequest::None;
  if (request == FrontEndRequest::Close) {
    if (closeWindow) closeWindow();
  } else if (request != FrontEndRequest::None && openDialog) {
    openDialog(request);
  }
}

bool CommandRunner::requestClose() {
  if (running_) {
    closePending_ = true;
    return false;
  }
  closeForStop();
  return true;
}

void CommandRunner::closeForStop() {
  if (closed_) return;
  closed_ = true;
  if (onClosed) onClosed();
  FormClose(form_);
}

}  // namespace kalmar::desktop
