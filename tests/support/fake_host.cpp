#include "support/fake_host.h"

#include <gtest/gtest.h>

namespace kalmar::testing {

MessageResult FakeHost::messageBox(const std::string& caption, const std::string& text,
                                   MessageIcon icon, MessageButtons buttons) {
  MessageResult answer = MessageResult::Cancel;
  if (answers_.empty() && defaultAnswer) {
    answer = *defaultAnswer;
  } else if (answers_.empty()) {
    ADD_FAILURE() << "unscripted message box\ncaption: " << caption << "\ntext: " << text;
  } else {
    answer = answers_.front();
    answers_.pop_front();
  }
  messages.push_back({caption, text, icon, buttons, answer});
  return answer;
}

std::optional<std::string> FakeHost::openFileDialog(const FileDialogRequest& request) {
  openRequests.push_back(request);
  if (openAnswers_.empty()) {
    ADD_FAILURE() << "unscripted open dialog, filter " << request.filter;
    return std::nullopt;
  }
  auto answer = openAnswers_.front();
  openAnswers_.pop_front();
  return answer;
}

std::optional<std::string> FakeHost::saveFileDialog(const FileDialogRequest& request) {
  saveRequests.push_back(request);
  if (saveAnswers_.empty()) {
    ADD_FAILURE() << "unscripted save dialog, filter " << request.filter;
    return std::nullopt;
  }
  auto answer = saveAnswers_.front();
  saveAnswers_.pop_front();
  return answer;
}

std::optional<std::uint32_t> FakeHost::pickColour(std::uint32_t) {
  if (colourAnswers_.empty()) {
    ADD_FAILURE() << "unscripted colour dialog";
    return std::nullopt;
  }
  auto answer = colourAnswers_.front();
  colourAnswers_.pop_front();
  return answer;
}

}  // namespace kalmar::testing
