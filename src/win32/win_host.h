#pragma once

#include <windows.h>

#include <functional>

#include "model/host.h"

namespace kalmar::win32 {

// The Host of the window on Windows: the system's own message boxes (they
// fit their text), the common open, save and colour dialogs, the system
// beep, pages opened by the shell, and pump(), which shows the window state
// and lets the window repaint while a command runs. Tests script the boxes
// and dialogs through the hooks instead of clicking them.
class WinHost final : public Host {
 public:
  using MessageScript =
      std::function<MessageResult(const std::string& caption, const std::string& text,
                                  MessageIcon icon, MessageButtons buttons)>;
  using FileScript = std::function<std::optional<std::string>(const FileDialogRequest&)>;

  void setWindow(HWND window, std::function<void()> showState);

  void pump() override;
  MessageResult messageBox(const std::string& caption, const std::string& text, MessageIcon icon,
                           MessageButtons buttons) override;
  void beep() override;
  std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> pickColour(std::uint32_t initial) override;
  void shellOpen(const std::string& target) override;

  // Passes one message on (the main loop and pump() alike): the hook first,
  // then the dialog navigation of the window (Tab between its controls).
  void dispatch(MSG& message);
  // Sees every message before it goes to its window; true swallows it.
  std::function<bool(const MSG&)> beforeDispatch;

  int beeps = 0;
  MessageScript scriptedMessage;
  FileScript scriptedOpen;
  FileScript scriptedSave;
  std::function<void(const std::string&)> scriptedShell;

 private:
  std::optional<std::string> fileDialog(const FileDialogRequest& request, bool save);

  static constexpr DWORD kPumpIntervalMs = 100;
  HWND window_ = nullptr;
  bool pumped_ = false;
  DWORD lastPump_ = 0;
  std::function<void()> showState_;
};

}  // namespace kalmar::win32
