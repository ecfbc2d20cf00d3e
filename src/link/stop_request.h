#pragma once

#include <functional>

namespace kalmar {

// A stop asked for from outside the program (SIGINT, SIGTERM, SIGHUP, SIGQUIT). The
// signal handler only notes the signal; the line protocol looks at every
// port write, puts the adapter idle and hands the stop to the front end,
// which ends the process. Nothing else may be done in a signal handler.
void requestStop(int signal) noexcept;  // async-signal-safe
int pendingStop() noexcept;             // the signal, 0 when none
void clearStop() noexcept;

// Installs requestStop for SIGINT, SIGTERM, SIGHUP and SIGQUIT, and the
// note of a suspension for SIGTSTP, without SA_RESTART so that a wait for
// terminal input ends too.
void catchStopSignals();

// Ctrl-Z (SIGTSTP) never freezes a command with the supplies on: it is
// noted, and the front end suspends the process where the adapter is idle
// (after the command, or with the adapter put idle first).
bool takeSuspend() noexcept;
// Suspends the process now, as the default SIGTSTP would; returns when it
// is continued.
void suspendNow();

}  // namespace kalmar
