#pragma once

#include <cstdint>
#include <string>

#include "model/form1.h"
#include "model/outcome.h"

namespace kalmar {

// Rounding of the window's arithmetic: to nearest, halves to even.
int roundHalfEven(double value);

// Busy lock: the wait panel centred over the disabled window, and back.
void BattonDisabl(TForm1& form);
void BattonEnable(TForm1& form);

// Minutes ":" seconds "." milliseconds, no padding, hours dropped.
std::string elapsedText(std::int64_t elapsedMs);
// The elapsed time since a start time of day, across midnight too.
std::string elapsedSince(TForm1& form, std::int64_t startMs);

void setProgress(TForm1& form, int position);  // sets and lets the window repaint

// The opening of an operation frame: priority, busy lock, progress,
// status lines. Returns the start time it noted.
std::int64_t beginFrame(TForm1& form, const std::string& action, int progress = 5,
                        bool talksToChip = true);
// The closing: status text, progress 106 on success, lock off, elapsed time,
// normal priority.
void endFrame(TForm1& form, const std::string& lastAction, bool succeeded, std::int64_t startMs,
              bool talksToChip = true);

// The closing of a write that a verify follows: on success the busy lock
// stays on for the verify, on failure it is released.
void endWriteFrame(TForm1& form, const std::string& lastAction);

// The texts after a value did not read back as written, and after a verify
// difference; address, wanted and found come as hex text.
std::string writeMismatchText(const std::string& address, const std::string& wanted,
                              const std::string& found);
std::string verifyMismatchText(const std::string& address, const std::string& wanted,
                               const std::string& found);

// The end of a command that chains procedures: its success text, or a box
// saying the chain did not finish; then the time of the whole command. The
// chain's outcome with that time, the failure's own box kept where it had one.
Outcome endChainedCommand(TForm1& form, std::int64_t startMs, Outcome chain,
                          const std::string& successText, const std::string& failureCaption,
                          const std::string& failureText);
inline constexpr const char* kWriteNotFinished =
    "Процесс записи не был успешно завершен.\r\nВозможно не все данные были записаны.";

// A step that went well but found what it should not (an ID that is not
// blank, not what was written): failed, with no box of its own.
Outcome failedUnless(TForm1& form, Outcome step, bool found);

// A failure inside a frame: the error box and the operation ok flag; the
// failed outcome with the status text the frame will close with.
Outcome reportFailure(TForm1& form, const std::string& caption, const std::string& text,
                      const std::string& lastAction);

}  // namespace kalmar
