#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "link/line_protocol.h"
#include "link/performance_counter.h"
#include "model/form1.h"
#include "port/adapter_pins.h"
#include "port/port_router.h"
#include "port/recording_port.h"
#include "sim/sim_adapter.h"

namespace kalmar {

// How a front end wants its adapter: the port ("lpt1", "lpt2", "sim:FILE",
// or none), simulated time, a recording of every access.
struct PortChoice {
  std::string port;  // empty, "lpt1", "lpt2": the real ports; "sim:FILE"; "/dev/parportN";
                     // "ftdi", "ftdi:SERIAL", "gpio", "gpio:/dev/gpiochipN": an adapter
  std::optional<AdapterPins> pins;  // an adapter's pin map other than its default
  bool virtualTime = false;
  bool record = false;
  bool needsPort = true;  // false: no device is opened (commands that never talk to a chip)
  // The chip a new simulated chip file is made for.
  std::function<std::string()> chipForNewSimFile;
};

// The chain from the line protocol down to the adapter that both front ends
// build the same way: the clock, the port (a ppdev router, a simulated
// adapter with its chip, or none), an optional recorder, simulated time.
class PortStack {
 public:
  // Empty with a reason when a simulated chip file cannot be read.
  static std::unique_ptr<PortStack> build(const PortChoice& choice, std::string& error);

  LineProtocol& line() { return *line_; }
  bool simulated() const { return adapter_ != nullptr; }
  // The adapter device named on the command line (for the window's
  // caption), empty with the parallel port and the simulator.
  const std::string& adapterName() const { return adapterName_; }
  // Windows: the port library beside the program that the real port goes
  // through instead of the port driver; empty elsewhere and when there is none.
  std::string portLibrary() const;
  sim::SimChip* chip() { return chip_.get(); }
  sim::SimAdapter* adapter() { return adapter_.get(); }
  RecordingPort* recorder() { return recorder_.get(); }
  // The opener start-up uses for the selected port.
  TForm1::PortOpener opener();
  std::int64_t nanoseconds();
  // Saves a simulated chip to its file; true when there is nothing to save.
  bool saveChip(std::string& error);
  // Where a real port's failed write or read is told (once per port).
  void onPortFailure(std::function<void(const std::string&)> report) {
    portFailure_ = std::move(report);
  }

 private:
  bool openSimulatedChip(const PortChoice& choice, std::string& error);
  std::unique_ptr<PortIo> realPort(const PortChoice& choice);
  std::unique_ptr<PortIo> adapterPort(const PortChoice& choice);
  void stackPorts(bool record);
  PortStack() = default;

  std::function<void(const std::string&)> failureReport() {
    return [this](const std::string& text) {
      if (portFailure_) portFailure_(text);
    };
  }

  std::function<void(const std::string&)> portFailure_;
  std::string simFile_;
  std::string adapterName_;
  std::unique_ptr<PerformanceCounter> counter_;
  std::unique_ptr<sim::SimChip> chip_;
  std::unique_ptr<sim::SimAdapter> adapter_;
  std::unique_ptr<PortIo> basePort_;
  std::unique_ptr<RecordingPort> recorder_;
  std::unique_ptr<VirtualTimePort> timedPort_;
  std::unique_ptr<TimingState> timing_;
  std::unique_ptr<LineProtocol> line_;
};

// The chip start-up will choose: the settings file's in the working
// directory, else the PIC16F84.
std::string chipNamedBySettings();

// "sim:FILE" names a simulated chip kept in FILE.
inline bool isSimPort(const std::string& port) {
  return port.rfind("sim:", 0) == 0;
}
// "/dev/parportN" names a ppdev device directly.
inline bool isDevicePort(const std::string& port) {
  return port.rfind("/dev/", 0) == 0;
}

// "ftdi" or "ftdi:SERIAL" names an FT232R board, "gpio" or
// "gpio:/dev/gpiochipN" a GPIO chip: the adapter on a bit-bang device.
inline bool isFtdiPort(const std::string& port) {
  return port == "ftdi" || port.rfind("ftdi:", 0) == 0;
}
inline bool isGpioPort(const std::string& port) {
  return port == "gpio" || port.rfind("gpio:", 0) == 0;
}
inline bool isAdapterPort(const std::string& port) {
  return isFtdiPort(port) || isGpioPort(port);
}

// A port as a command line names it: "lpt1", "lpt2", "ftdi" or "gpio" in
// any case, "/dev/parportN", "ftdi:SERIAL", "gpio:/dev/gpiochipN" or
// "sim:FILE" with what follows the colon as written; empty for anything else.
std::optional<std::string> portNamed(const std::string& text);
inline constexpr const char* kPortChoices =
    "lpt1, lpt2, /dev/parportN, ftdi[:СЕРИЙНЫЙ_НОМЕР], gpio[:/dev/gpiochipN] или sim:ФАЙЛ";
// The pin map --pins gives for an adapter port, checked against the
// device's pins; empty with a reason naming --pins when refused.
std::optional<AdapterPins> adapterPinsFor(const std::string& port, const std::string& text,
                                          std::string& error);

}  // namespace kalmar
