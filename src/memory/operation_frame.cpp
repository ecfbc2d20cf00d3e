#include "memory/operation_frame.h"

#include <cmath>

namespace kalmar {

namespace {
constexpr std::int64_t kDayMs = 24LL * 60 * 60 * 1000;
}

int roundHalfEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

void BattonDisabl(TForm1& form) {
  WindowState& w = form.window;
  w.Panel2Left = roundHalfEven((w.Width - WindowState::kPanel2Width) / 2.0);
  w.Panel2Top = roundHalfEven((w.Height - WindowState::kPanel2Height) / 2.0);
  w.Panel2Visible = true;
  w.Enabled = false;
}

void BattonEnable(TForm1& form) {
  form.window.Panel2Visible = false;
  form.window.Enabled = true;
}

std::string elapsedText(std::int64_t elapsedMs) {
  std::int64_t minutes = (elapsedMs / 60000) % 60;
  std::int64_t seconds = (elapsedMs / 1000) % 60;
  std::int64_t millis = elapsedMs % 1000;
  return std::to_string(minutes) + ":" + std::to_string(seconds) + "." + std::to_string(millis);
}

// A command that runs past midnight would otherwise show a negative time.
std::string elapsedSince(TForm1& form, std::int64_t startMs) {
  std::int64_t elapsed = form.platform.timeOfDayMs() - startMs;
  if (elapsed < 0) elapsed += kDayMs;
  return elapsedText(elapsed);
}

void setProgress(TForm1& form, int position) {
  form.window.ProgressBar1 = position;
  form.host.pump();
}

std::int64_t beginFrame(TForm1& form, const std::string& action, int progress, bool talksToChip) {
  std::int64_t start = form.platform.timeOfDayMs();
  if (talksToChip) form.platform.setPriorityClass(PriorityClass::RealTime);
  BattonDisabl(form);
  form.window.ProgressBar1 = progress;
  form.window.StatusBar1 = action;
  form.window.StatusBar2.clear();
  form.host.pump();
  return start;
}

void endFrame(TForm1& form, const std::string& lastAction, bool succeeded, std::int64_t startMs,
              bool talksToChip) {
  form.window.StatusBar1 = lastAction;
  if (succeeded) form.window.ProgressBar1 = 106;
  BattonEnable(form);
  form.window.StatusBar2 = elapsedSince(form, startMs);
  if (talksToChip) form.platform.setPriorityClass(PriorityClass::Normal);
}

void endWriteFrame(TForm1& form, const std::string& lastAction) {
  form.window.StatusBar1 = lastAction;
  if (form.operation.ok)
    form.window.ProgressBar1 = 106;
  else
    BattonEnable(form);
  form.window.StatusBar2 = elapsedSince(form, form.operation.startMs);
  form.platform.setPriorityClass(PriorityClass::Normal);
}

std::string writeMismatchText(const std::string& address, const std::string& wanted,
                              const std::string& found) {
  return "В ячейку с адресом " + address + " должно было быть записано число " + wanted +
         ".\r\nПроверка показала, что после записи в этой ячейке находится число " + found +
         ".\r\nЗапись прервана.";
}

std::string verifyMismatchText(const std::string& address, const std::string& wanted,
                               const std::string& found) {
  return "В ячейке с адресом " + address + " должно находиться число " + wanted +
         ".\r\nПроверка показала, что в этой ячейке находится число " + found +
         ".\r\nПроверка прервана.";
}

Outcome endChainedCommand(TForm1& form, std::int64_t startMs, Outcome chain,
                          const std::string& successText, const std::string& failureCaption,
                          const std::string& failureText) {
  if (chain.ok()) {
    form.window.StatusBar1 = successText;
    chain.lastAction = successText;
  } else {
    form.host.messageBox(failureCaption, failureText, MessageIcon::Error, MessageButtons::Ok);
    if (chain.caption.empty()) {
      chain.caption = failureCaption;
      chain.text = failureText;
    }
  }
  form.window.StatusBar2 = elapsedSince(form, startMs);
  return std::move(chain).timed(form.window.StatusBar2);
}

Outcome failedUnless(TForm1& form, Outcome step, bool found) {
  if (step && !found) {
    form.operation.ok = false;
    step.kind = OutcomeKind::Failed;
  }
  return step;
}

Outcome reportFailure(TForm1& form, const std::string& caption, const std::string& text,
                      const std::string& lastAction) {
  form.host.messageBox(caption, text, MessageIcon::Error, MessageButtons::Ok);
  form.operation.ok = false;
  return Outcome::failed(caption, text, lastAction);
}

}  // namespace kalmar
