#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/host.h"

namespace kalmar::testing {

struct RecordedMessage {
  std::string caption;
  std::string text;
  MessageIcon icon;
  MessageButtons buttons;
  MessageResult answer;
};

// A host that records every call and answers message boxes from a script.
// A message box nobody scripted fails the test, naming its caption and text.
class FakeHost final : public Host {
 public:
  void expectMessage(MessageResult answer) { answers_.push_back(answer); }
  // Answers every message box nobody scripted (for runs over many files).
  std::optional<MessageResult> defaultAnswer;
  void queueOpenFile(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
  void queueSaveFile(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }
  void queueColour(std::optional<std::uint32_t> colour) { colourAnswers_.push_back(colour); }

  void pump() override {
    ++pumps;
    if (onPump) onPump();
  }
  MessageResult messageBox(const std::string& caption, const std::string& text, MessageIcon icon,
                           MessageButtons buttons) override;
  void beep() override { ++beeps; }
  std::optional<std::string> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> saveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::uint32_t> pickColour(std::uint32_t initial) override;
  void shellOpen(const std::string& target) override { shellOpened.push_back(target); }

  // Scripted answers that were never asked for.
  std::size_t unusedAnswers() const { return answers_.size(); }

  std::vector<RecordedMessage> messages;
  std::vector<FileDialogRequest> openRequests;
  std::vector<FileDialogRequest> saveRequests;
  std::vector<std::string> shellOpened;
  std::function<void()> onPump;  // e.g. to record progress positions
  int pumps = 0;
  int beeps = 0;

 private:
  std::deque<MessageResult> answers_;
  std::deque<std::optional<std::string>> openAnswers_;
  std::deque<std::optional<std::string>> saveAnswers_;
  std::deque<std::optional<std::uint32_t>> colourAnswers_;
};

}  // namespace kalmar::testing
