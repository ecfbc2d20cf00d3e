#pragma once

#include <memory>
#include <string>

#include "app/port_stack.h"
#include "cli/options.h"
#include "cli/terminal_host.h"
#include "model/form1.h"
#include "model/platform.h"
#include "sim/sim_adapter.h"

namespace kalmar::cli {

// Everything one run of the command line needs: the port (real or
// simulated), the clock, the window, the terminal. Built and started as the
// desktop program starts, then set to the chip and port the options name.
class Session {
 public:
  // Empty with a reason (and the exit status to use) when it cannot start.
  static std::unique_ptr<Session> start(const Options& options, bool needsPort, std::string& error,
                                        int& status);
  ~Session();

  TForm1& form() { return *form_; }
  TerminalHost& host() { return host_; }
  bool simulated() const { return stack_->simulated(); }
  // The user named the chip: -c, or the settings file of the directory.
  bool chipChosen() const { return chipChosen_; }
  // The port device refused a write or a read during the run.
  bool portFailed() const { return portFailed_; }
  // An adapter device (FT232R, GPIO) failed under the command: whatever the
  // command found, the programmer is gone.
  bool adapterLost() const { return adapterLost_; }

  // Marks the start of the command for the trace.
  void beginCommand();
  // Writes the trace and saves the simulated chip; false with a reason.
  bool finish(std::string& error);
  // On a simulated chip: what it noticed, on standard error (each violation
  // and warning, and a summary unless quiet) and into --sim-log; false when
  // it saw a timing violation (a real chip could have been misprogrammed).
  bool reportSimulator(std::string& error);
  // A stop signal in the middle of a command: the adapter is idle already;
  // the trace is written up to here, the simulated chip file is left as it
  // was before the command, and the process ends with 128 + the signal.
  [[noreturn]] void stopNow(int signal);

 private:
  Session(const Options& options);
  bool applyFaults(std::string& error);
  void connectPort();
  void startWindow(bool needsPort);
  void applyOptions();
  // The trace file's text: a Value Change Dump for "FILE.vcd", else lines.
  std::string traceOf(const RecordingPort& recorder) const;

  Options options_;
  std::unique_ptr<PortStack> stack_;
  bool chipChosen_ = false;
  bool portFailed_ = false;
  bool adapterLost_ = false;
  TerminalHost host_;
  std::unique_ptr<Platform> platform_;
  std::unique_ptr<TForm1> form_;
  std::int64_t commandStartNs_ = 0;
};

// Applies "--sim-fault" texts to a simulated chip and adapter; false with a reason.
bool applySimFault(const std::string& fault, sim::SimChip& chip, sim::SimAdapter& adapter,
                   std::string& error);

}  // namespace kalmar::cli
