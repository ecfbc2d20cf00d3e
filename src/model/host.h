#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kalmar {

enum class MessageIcon { None, Error, Warning, Information };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageResult { Ok, Cancel, Yes, No };

struct FileDialogRequest {
  std::string filter;             // e.g. "*.hex"
  std::string filterDescription;  // the text shown for the filter
  std::string initialName;        // suggested file name, may be empty
  std::string title;
};

// What a command needs from whoever shows the window: the desktop program,
// the command line, or a test. Commands never print, ask or wait themselves.
class Host {
 public:
  virtual ~Host() = default;
  // Let the window repaint; called exactly where the program lets pending
  // messages through (progress steps).
  virtual void pump() = 0;
  // A modal message box; texts are UTF-8 with lines joined by CR LF.
  virtual MessageResult messageBox(const std::string& caption, const std::string& text,
                                   MessageIcon icon, MessageButtons buttons) = 0;
  virtual void beep() = 0;
  // Empty when the user cancelled.
  virtual std::optional<std::string> openFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> saveFileDialog(const FileDialogRequest& request) = 0;
  // A colour as 00BBGGRR; empty when cancelled.
  virtual std::optional<std::uint32_t> pickColour(std::uint32_t initial) = 0;
  virtual void shellOpen(const std::string& target) = 0;
};

}  // namespace kalmar
