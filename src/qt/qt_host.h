#pragma once

#include <QWidget>
#include <functional>

#include "model/host.h"

namespace kalmar::qt {

// The Host of the desktop program: Qt's modal boxes and dialogs, the
// system beep, and pump(), which shows the window state in the widgets and
// lets Qt repaint while a command runs. Tests script the boxes and dialogs
// through the hooks instead of clicking them.
class QtHost final : public Host {
 public:
  using MessageScript =
      std::function<MessageResult(const std::string& caption, const std::string& text,
                                  MessageIcon icon, MessageButtons buttons)>;
  using FileScript = std::function<std::optional<std::string>(const FileDialogRequest&)>;

  void setWindow(QWidget* window, std::function<void()> showState);
  // From now on no box waits: each is told on standard error and answered
  // (OK, or Cancel for a question), as the program must end at once.
  void tellOnStderr() { toStderr_ = true; }

  void pump() override;
  MessageResult messageBox(const std::string& caption, const std::string& text, MessageIcon icon,
                           MessageButtons buttons) override;
  void beep() override;
  std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> pickColour(std::uint32_t initial) override;
  void shellOpen(const std::string& target) override;

  int beeps = 0;  // how often the program beeped
  MessageScript scriptedMessage;
  FileScript scriptedOpen;
  FileScript scriptedSave;

 private:
  QWidget* window_ = nullptr;
  bool toStderr_ = false;
  std::function<void()> showState_;
};

}  // namespace kalmar::qt
