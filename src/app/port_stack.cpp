#include "app/port_stack.h"

#include <cctype>
#include <filesystem>

#include "device/catalogue.h"
#include "device/settings_file.h"
#include "port/ftdi_port.h"
#if defined(_WIN32)
#include "port/windows_ports.h"
#else
#include "port/gpio_port.h"
#include "port/linux_ports.h"
#endif
#include "port/opened_once.h"
#include "port/sim_port.h"
#include "sim/chip_file.h"
#include "system/files.h"

namespace kalmar {

namespace {
constexpr std::int64_t kSimPortAccessNs = 500;  // a port access on real hardware takes about this
constexpr const char* kDefaultGpioChip = "/dev/gpiochip0";
constexpr int kFtdiPins = 8;
constexpr int kGpioMaxLines = 64;

std::string lowerCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The adapter's name with its prefix in lower case and the rest as written.
std::optional<std::string> adapterNamed(const std::string& text) {
  const std::string lower = lowerCase(text);
  for (const char* prefix : {"ftdi", "gpio"}) {
    const std::string name = prefix;
    if (lower == name) return name;
    if (lower.rfind(name + ":", 0) == 0 && text.size() > name.size() + 1)
      return name + text.substr(name.size());
  }
  return std::nullopt;
}
}  // namespace

std::optional<std::string> portNamed(const std::string& text) {
  const std::string port = lowerCase(text);
  if (port == "lpt1" || port == "lpt2") return port;
  if ((isSimPort(text) && text.size() > 4) || isDevicePort(text)) return text;
  return adapterNamed(text);
}

std::optional<AdapterPins> adapterPinsFor(const std::string& port, const std::string& text,
                                          std::string& error) {
  if (!isAdapterPort(port)) {
    error = "--pins действует только с портами ftdi и gpio";
    return std::nullopt;
  }
  const bool ftdi = isFtdiPort(port);
  auto pins = parseAdapterPins(text, ftdi ? kFtdiPins : kGpioMaxLines, ftdi, error);
  if (!pins) error = "--pins: " + error;
  return pins;
}

std::string chipNamedBySettings() {
  const auto values = readSettingsFile(kSettingsFileName);
  return values ? values->chip : defaultChip().name;
}

std::unique_ptr<PortStack> PortStack::build(const PortChoice& choice, std::string& error) {
  std::unique_ptr<PortStack> s(new PortStack());
  const bool sim = isSimPort(choice.port);
  if (sim && choice.virtualTime)
    s->counter_ = std::make_unique<VirtualPerformanceCounter>(1'000'000'000, kSimPortAccessNs);
  else
    s->counter_ = std::make_unique<RealPerformanceCounter>();
  if (sim && !s->openSimulatedChip(choice, error)) return nullptr;
  if (!sim) s->basePort_ = s->realPort(choice);
  s->stackPorts(choice.record);
  return s;
}

// The chip kept in the file the port names, or a new one of the chosen kind.
bool PortStack::openSimulatedChip(const PortChoice& choice, std::string& error) {
  simFile_ = choice.port.substr(4);
  if (std::filesystem::exists(pathOf(simFile_))) {
    sim::ChipFromText loaded = sim::loadChipFile(simFile_);
    if (!loaded.chip) {
      error = loaded.error;
      return false;
    }
    chip_ = std::move(loaded.chip);
  } else {
    const std::string name =
        choice.chipForNewSimFile ? choice.chipForNewSimFile() : defaultChip().name;
    auto kind = sim::chipKindFromName(name);
    chip_ = std::make_unique<sim::SimChip>(kind.value_or(sim::ChipKind::PIC16F84));
  }
  adapter_ = std::make_unique<sim::SimAdapter>(*chip_);
  basePort_ = std::make_unique<SimPort>(*adapter_, [this] { return nanoseconds(); });
  return true;
}

std::string PortStack::portLibrary() const {
#if defined(_WIN32)
  if (!simulated()) return portLibraryBesideProgram();
#endif
  return {};
}

// The named device, the device of the port address, or no port at all
// for a command that needs none.
std::unique_ptr<PortIo> PortStack::realPort(const PortChoice& choice) {
  if (!choice.needsPort) return std::make_unique<NonePort>();
  if (isAdapterPort(choice.port)) return adapterPort(choice);
#if defined(_WIN32)
  return std::make_unique<PortRouter>(openWindowsPort);
#else
  if (isDevicePort(choice.port)) {
    const std::string device = choice.port;
    return std::make_unique<PortRouter>([device, this](std::uint16_t address) {
      return openPpdevDevice(device, address, failureReport());
    });
  }
  return std::make_unique<PortRouter>(
      [this](std::uint16_t address) { return openLinuxPort(address, failureReport()); });
#endif
}

// The FT232R board or GPIO chip the port names, opened when start-up asks.
std::unique_ptr<PortIo> PortStack::adapterPort(const PortChoice& choice) {
  const bool ftdi = isFtdiPort(choice.port);
  const std::size_t colon = choice.port.find(':');
  const std::string device =
      colon == std::string::npos ? (ftdi ? "" : kDefaultGpioChip) : choice.port.substr(colon + 1);
  adapterName_ = ftdi ? (device.empty() ? "FT232R" : "FT232R " + device) : "GPIO " + device;
  const AdapterPins pins = choice.pins.value_or(ftdi ? kFtdiDefaultPins : kGpioDefaultPins);
#if defined(_WIN32)
  // The kernel's GPIO interface is Linux's own.
  if (!ftdi) {
    const std::string name = adapterName_;
    return std::make_unique<OpenedOnce>(
        [name] { return notOpened(name, "в программе для Windows этого адаптера нет"); });
  }
  return std::make_unique<OpenedOnce>(
      [this, device, pins] { return openFtdiPort(device, pins, failureReport()); });
#else
  return std::make_unique<OpenedOnce>([this, ftdi, device, pins] {
    return ftdi ? openFtdiPort(device, pins, failureReport())
                : openGpioPort(device, pins, failureReport());
  });
#endif
}

// The recorder and the virtual clock's port over the base port, then the line.
void PortStack::stackPorts(bool record) {
  PortIo* port = basePort_.get();
  if (record) {
    recorder_ = std::make_unique<RecordingPort>(port, [this] { return nanoseconds(); });
    port = recorder_.get();
  }
  if (auto* virtualCounter = dynamic_cast<VirtualPerformanceCounter*>(counter_.get())) {
    timedPort_ = std::make_unique<VirtualTimePort>(*port, *virtualCounter);
    port = timedPort_.get();
  }
  timing_ = std::make_unique<TimingState>(*counter_);
  line_ = std::make_unique<LineProtocol>(*port, *timing_);
}

TForm1::PortOpener PortStack::opener() {
  if (auto* router = dynamic_cast<PortRouter*>(basePort_.get()))
    return [router](std::uint16_t address) { return router->open(address); };
  if (auto* adapter = dynamic_cast<OpenedOnce*>(basePort_.get()))
    return [adapter](std::uint16_t) { return adapter->open(); };
  return [](std::uint16_t) { return PortOpenResult{nullptr, true, "sim", {}, {}}; };
}

std::int64_t PortStack::nanoseconds() {
  return static_cast<std::int64_t>(static_cast<double>(counter_->counter()) * 1e9 /
                                   static_cast<double>(counter_->frequency()));
}

bool PortStack::saveChip(std::string& error) {
  if (!chip_) return true;
  return sim::saveChipFile(*chip_, simFile_, error);
}

}  // namespace kalmar
