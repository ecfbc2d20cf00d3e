#pragma once

#include <cstdio>

#include "model/host.h"
#include "model/window_state.h"

namespace kalmar::cli {

// The window's dialogs on a terminal: message boxes go to standard error as
// "caption: text"; questions are answered by --yes, asked on a terminal, or
// answered Cancel; the progress bar is drawn on a terminal only.
class TerminalHost final : public Host {
 public:
  TerminalHost(std::FILE* err, std::FILE* in, bool yes, bool quiet);

  void attach(const WindowState* window) { window_ = window; }
  void setProgressShown(bool shown) { progressShown_ = shown; }
  // From now on only questions are shown: once the adapter is lost, what a
  // command reads from the line says nothing about the chip.
  void silenceBoxes() { boxesSilenced_ = true; }

  void pump() override;
  MessageResult messageBox(const std::string& caption, const std::string& text, MessageIcon icon,
                           MessageButtons buttons) override;
  void beep() override;
  std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
  std::optional<std::uint32_t> pickColour(std::uint32_t) override { return {}; }
  // Opens a help page or link with the desktop's default program (xdg-open).
  void shellOpen(const std::string& target) override;

  // Prints a status line unless quiet: what is being done, or why a command
  // did not finish, on standard error.
  void status(const std::string& text);
  // Prints a line of a command's result unless quiet, on standard output.
  void result(const std::string& text);
  void endProgress();

  bool interactive() const { return interactive_; }

 private:
  MessageResult ask();

  std::FILE* err_;
  std::FILE* in_;
  bool yes_;
  bool quiet_;
  bool interactive_;
  bool errTerminal_;
  bool progressShown_ = false;
  bool boxesSilenced_ = false;
  const WindowState* window_ = nullptr;
  int drawn_ = -1;
};

// CR LF inside the window's texts becomes a plain line break.
std::string terminalText(const std::string& text);

}  // namespace kalmar::cli
