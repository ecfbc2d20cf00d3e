#include "cli/session.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "device/chip_selection.h"
#include "device/settings_file.h"
#include "device/startup.h"
#include "link/slowdown.h"
#include "memory/data_cells.h"
#include "port/linux_ports.h"
#include "sim/chip_file.h"

namespace kalmar::cli {

namespace {

constexpr std::int64_t kSimPortAccessNs = 500;  // a port access on real hardware takes about this

bool parseHexNumber(const std::string& text, unsigned limit, unsigned& value) {
  return parseHexCell(text, value) && value <= limit;
}

// The chip start-up would choose: ./Kalmar.cfg's, else the PIC16F84.
std::string chipFromSettings() {
  std::ifstream in(kSettingsFileName, std::ios::binary);
  if (!in) return "PIC16F84";
  std::ostringstream bytes;
  bytes << in.rdbuf();
  auto values = parseSettings(bytes.str());
  return values ? values->chip : "PIC16F84";
}

}  // namespace

bool applySimFault(const std::string& fault, sim::SimChip& chip, sim::SimAdapter& adapter,
                   std::string& error) {
  unsigned address = 0, value = 0;
  if (fault == "no-adapter")
    adapter.faults.noAdapter = true;
  else if (fault == "no-chip")
    adapter.faults.noChip = true;
  else if (fault == "data-stuck-low")
    adapter.faults.dataStuckLow = true;
  else if (fault == "data-stuck-high")
    adapter.faults.dataStuckHigh = true;
  else if (fault == "code-protected")
    chip.protectCode();
  else if (fault.rfind("stuck:", 0) == 0 && fault.find('=') != std::string::npos &&
           parseHexNumber(fault.substr(6, fault.find('=') - 6), 0x7FF, address) &&
           parseHexNumber(fault.substr(fault.find('=') + 1), 0x3FFF, value)) {
    chip.faults.stuckCells[static_cast<std::uint16_t>(address)] = static_cast<std::uint16_t>(value);
    chip.applyStuckCells();
  } else if (fault.rfind("slow:", 0) == 0 && parseHexNumber(fault.substr(5), 0x7FF, address)) {
    chip.faults.slowCells[static_cast<std::uint16_t>(address)] = sim::kSlowCellNs;
  } else {
    error = "неизвестная неисправность симулятора " + fault;
    return false;
  }
  return true;
}

Session::Session(const Options& options)
    : options_(options), host_(stderr, stdin, options.yes, options.quiet) {}

Session::~Session() = default;

std::int64_t Session::nanoseconds() {
  return static_cast<std::int64_t>(static_cast<double>(counter_->counter()) * 1e9 /
                                   static_cast<double>(counter_->frequency()));
}

std::unique_ptr<Session> Session::start(const Options& options, bool needsPort, std::string& error,
                                        int& status) {
  std::unique_ptr<Session> s(new Session(options));
  const bool sim = options.port && options.port->rfind("sim:", 0) == 0;
  if (sim && options.virtualTime)
    s->counter_ = std::make_unique<VirtualPerformanceCounter>(1'000'000'000, kSimPortAccessNs);
  else
    s->counter_ = std::make_unique<RealPerformanceCounter>();

  if (sim) {
    const std::string path = options.port->substr(4);
    if (std::filesystem::exists(path)) {
      sim::ChipFromText loaded = sim::loadChipFile(path);
      if (!loaded.chip) {
        error = loaded.error;
        status = kExitFailed;
        return nullptr;
      }
      s->chip_ = std::move(loaded.chip);
    } else {
      const std::string name = options.chip.value_or(chipFromSettings());
      auto kind = sim::chipKindFromName(name);
      s->chip_ = std::make_unique<sim::SimChip>(kind.value_or(sim::ChipKind::PIC16F84));
    }
    s->adapter_ = std::make_unique<sim::SimAdapter>(*s->chip_);
    for (const std::string& fault : options.simFaults) {
      if (!applySimFault(fault, *s->chip_, *s->adapter_, error)) {
        status = kExitUsage;
        return nullptr;
      }
    }
    Session* self = s.get();
    s->basePort_ = std::make_unique<SimPort>(*s->adapter_, [self] { return self->nanoseconds(); });
  } else if (needsPort) {
    s->basePort_ = std::make_unique<PortRouter>(openLinuxPort);
  } else {
    s->basePort_ = std::make_unique<NonePort>();
  }

  PortIo* port = s->basePort_.get();
  if (options.traceFile) {
    Session* self = s.get();
    s->recorder_ = std::make_unique<RecordingPort>(port, [self] { return self->nanoseconds(); });
    port = s->recorder_.get();
  }
  if (auto* virtualCounter = dynamic_cast<VirtualPerformanceCounter*>(s->counter_.get())) {
    s->timedPort_ = std::make_unique<VirtualTimePort>(*port, *virtualCounter);
    port = s->timedPort_.get();
  }
  s->timing_ = std::make_unique<TimingState>(*s->counter_);
  s->line_ = std::make_unique<LineProtocol>(*port, *s->timing_);
  s->platform_ = makeSystemPlatform();
  s->form_ = std::make_unique<TForm1>(s->host_, *s->platform_, *s->line_);
  TForm1& form = *s->form_;
  s->host_.attach(&form.window);
  if (sim || !needsPort) {
    form.openPort = [](std::uint16_t) { return PortOpenResult{nullptr, true, "sim", {}}; };
  } else {
    auto* router = static_cast<PortRouter*>(s->basePort_.get());
    form.openPort = [router](std::uint16_t address) { return router->open(address); };
  }

  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  if (options.chip && *options.chip != form.profile.name) selectChipByName(form, *options.chip);
  if (options.port && !sim) {
    const bool lpt1 = *options.port == "lpt1";
    if (lpt1 != form.port.isLpt1()) {
      if (lpt1)
        LPT11Click(form);
      else
        LPT2278h1Click(form);
      openSelectedPort(form);
    }
  }
  if (options.slowdown)
    selectSlowdownFactor(form.window.slowdown, form.line.timing(), *options.slowdown);
  s->host_.setProgressShown(true);
  return s;
}

void Session::beginCommand() {
  if (recorder_) recorder_->clear();
  commandStartNs_ = nanoseconds();
}

bool Session::finish(std::string& error) {
  host_.endProgress();
  if (recorder_) {
    std::ofstream out(*options_.traceFile, std::ios::binary | std::ios::trunc);
    out << recorder_->traceText(commandStartNs_);
    if (!out) {
      error = "не удалось записать файл трассировки " + *options_.traceFile;
      return false;
    }
  }
  if (chip_) return sim::saveChipFile(*chip_, options_.port->substr(4), error);
  return true;
}

}  // namespace kalmar::cli
