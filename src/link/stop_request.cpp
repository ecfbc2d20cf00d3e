#include "link/stop_request.h"

#include <csignal>

#if defined(_WIN32)
#include <windows.h>
#endif

namespace kalmar {

namespace {
// The one piece of state a signal handler may touch.
volatile std::sig_atomic_t stopSignal = 0;
volatile std::sig_atomic_t suspendAsked = 0;

#if defined(_WIN32)
// Windows tells a console program of Ctrl-C, Ctrl-Break and a closed console
// on a thread of its own; they are noted as SIGINT, SIGBREAK and SIGTERM, so
// the exit statuses are those of the other systems. A closed console ends
// the process when this returns: the main thread gets a moment to put the
// adapter idle first.
BOOL WINAPI onConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
      requestStop(SIGINT);
      return TRUE;
    case CTRL_BREAK_EVENT:
      requestStop(SIGBREAK);
      return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      requestStop(SIGTERM);
      Sleep(1000);
      return TRUE;
    default:
      return FALSE;
  }
}
#else

extern "C" void onStopSignal(int signal) {
  requestStop(signal);
}

extern "C" void onSuspendSignal(int) {
  suspendAsked = 1;
}

void install(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigaction(signal, &action, nullptr);
}
#endif
}  // namespace

void requestStop(int signal) noexcept {
  stopSignal = signal;
}

int pendingStop() noexcept {
  return stopSignal;
}

void clearStop() noexcept {
  stopSignal = 0;
}

bool takeSuspend() noexcept {
  if (suspendAsked == 0) return false;
  suspendAsked = 0;
  return true;
}

#if defined(_WIN32)
void catchStopSignals() {
  SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

// Windows has no job control: nothing is ever suspended.
void suspendNow() {}
#else
void catchStopSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) install(signal, onStopSignal);
  install(SIGTSTP, onSuspendSignal);
}

void suspendNow() {
  install(SIGTSTP, SIG_DFL);
  std::raise(SIGTSTP);
  install(SIGTSTP, onSuspendSignal);  // continued
}
#endif

}  // namespace kalmar
