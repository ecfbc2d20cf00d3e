#include "link/stop_request.h"

#include <csignal>

namespace kalmar {

namespace {
// The one piece of state a signal handler may touch.
volatile std::sig_atomic_t stopSignal = 0;
volatile std::sig_atomic_t suspendAsked = 0;

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

void catchStopSignals() {
  for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) install(signal, onStopSignal);
  install(SIGTSTP, onSuspendSignal);
}

bool takeSuspend() noexcept {
  if (suspendAsked == 0) return false;
  suspendAsked = 0;
  return true;
}

void suspendNow() {
  install(SIGTSTP, SIG_DFL);
  std::raise(SIGTSTP);
  install(SIGTSTP, onSuspendSignal);  // continued
}

}  // namespace kalmar
