#include "link/stop_request.h"

#include <csignal>

namespace kalmar {

namespace {
// The one piece of state a signal handler may touch.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void onStopSignal(int signal) {
  requestStop(signal);
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
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

}  // namespace kalmar
