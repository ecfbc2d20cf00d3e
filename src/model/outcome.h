#pragma once

#include <string>
#include <utility>

namespace kalmar {

// How a chip command ended. The window has shown it already (its boxes and
// status lines); this is what a caller that is not the window acts on.
enum class OutcomeKind {
  Done,          // the command did all its work and every check passed
  Failed,        // a check failed or the chip did not answer as it should
  Refused,       // the user declined a question, nothing (more) was done
  NoProgrammer,  // the programmer check found no adapter
};

struct Outcome {
  OutcomeKind kind = OutcomeKind::Done;
  std::string caption;     // the failure's box caption; empty when no box was shown
  std::string text;        // the failure's box text
  std::string lastAction;  // the status line's last-action text after the command
  std::string elapsed;     // the command's time as the status line shows it; may be empty

  bool ok() const { return kind == OutcomeKind::Done; }
  explicit operator bool() const { return ok(); }

  static Outcome done(std::string lastAction) {
    return {OutcomeKind::Done, {}, {}, std::move(lastAction), {}};
  }
  static Outcome failed(std::string caption, std::string text, std::string lastAction) {
    return {OutcomeKind::Failed, std::move(caption), std::move(text), std::move(lastAction), {}};
  }
  static Outcome refused(std::string lastAction) {
    return {OutcomeKind::Refused, {}, {}, std::move(lastAction), {}};
  }
  // The same outcome with the status line's time of the whole command.
  Outcome timed(std::string time) && {
    elapsed = std::move(time);
    return std::move(*this);
  }
};

}  // namespace kalmar
