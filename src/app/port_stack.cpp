#include "app/port_stack.h"

#include <cctype>
#include <filesystem>

#include "device/catalogue.h"
#include "device/settings_file.h"
#include "port/linux_ports.h"
#include "port/sim_port.h"
#include "sim/chip_file.h"

namespace kalmar {

namespace {
constexpr std::int64_t kSimPortAccessNs = 500;  // a port access on real hardware takes about this
}  // namespace

std::optional<std::string> portNamed(const std::string& text) {
  std::string port = text;
  for (char& c : port) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (port == "lpt1" || port == "lpt2") return port;
  if ((isSimPort(text) && text.size() > 4) || isDevicePort(text)) return text;
  return std::nullopt;
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

  if (sim) {
    s->simFile_ = choice.port.substr(4);
    if (std::filesystem::exists(s->simFile_)) {
      sim::ChipFromText loaded = sim::loadChipFile(s->simFile_);
      if (!loaded.chip) {
        error = loaded.error;
        return nullptr;
      }
      s->chip_ = std::move(loaded.chip);
    } else {
      const std::string name =
          choice.chipForNewSimFile ? choice.chipForNewSimFile() : defaultChip().name;
      auto kind = sim::chipKindFromName(name);
      s->chip_ = std::make_unique<sim::SimChip>(kind.value_or(sim::ChipKind::PIC16F84));
    }
    s->adapter_ = std::make_unique<sim::SimAdapter>(*s->chip_);
    PortStack* self = s.get();
    s->basePort_ = std::make_unique<SimPort>(*s->adapter_, [self] { return self->nanoseconds(); });
  } else if (choice.needsPort && isDevicePort(choice.port)) {
    const std::string device = choice.port;
    PortStack* self = s.get();
    s->basePort_ = std::make_unique<PortRouter>([device, self](std::uint16_t address) {
      return openPpdevDevice(device, address, self->failureReport());
    });
  } else if (choice.needsPort) {
    PortStack* self = s.get();
    s->basePort_ = std::make_unique<PortRouter>(
        [self](std::uint16_t address) { return openLinuxPort(address, self->failureReport()); });
  } else {
    s->basePort_ = std::make_unique<NonePort>();
  }

  PortIo* port = s->basePort_.get();
  if (choice.record) {
    PortStack* self = s.get();
    s->recorder_ = std::make_unique<RecordingPort>(port, [self] { return self->nanoseconds(); });
    port = s->recorder_.get();
  }
  if (auto* virtualCounter = dynamic_cast<VirtualPerformanceCounter*>(s->counter_.get())) {
    s->timedPort_ = std::make_unique<VirtualTimePort>(*port, *virtualCounter);
    port = s->timedPort_.get();
  }
  s->timing_ = std::make_unique<TimingState>(*s->counter_);
  s->line_ = std::make_unique<LineProtocol>(*port, *s->timing_);
  return s;
}

TForm1::PortOpener PortStack::opener() {
  if (auto* router = dynamic_cast<PortRouter*>(basePort_.get()))
    return [router](std::uint16_t address) { return router->open(address); };
  return [](std::uint16_t) { return PortOpenResult{nullptr, true, "sim", {}}; };
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
