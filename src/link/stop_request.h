#pragma once

#include <functional>

namespace kalmar {

// A stop asked for from outside the program (SIGINT, SIGTERM, SIGHUP). The
// signal handler only notes the signal; the line protocol looks at every
// port write, puts the adapter idle and hands the stop to the front end,
// which ends the process. Nothing else may be done in a signal handler.
void requestStop(int signal) noexcept;  // async-signal-safe
int pendingStop() noexcept;             // the signal, 0 when none
void clearStop() noexcept;

// Installs requestStop for SIGINT, SIGTERM and SIGHUP, without SA_RESTART so
// that a wait for terminal input ends too.
void catchStopSignals();

}  // namespace kalmar
