#include "cli/session.h"

#include "cli/vcd_trace.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "device/chip_selection.h"
#include "device/settings_file.h"
#include "device/startup.h"
#include "link/slowdown.h"
#include "memory/data_cells.h"

namespace kalmar::cli {

namespace {

bool parseHexNumber(const std::string& text, unsigned limit, unsigned& value) {
  return parseHexCell(text, value) && value <= limit;
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

std::unique_ptr<Session> Session::start(const Options& options, bool needsPort, std::string& error,
                                        int& status) {
  std::unique_ptr<Session> s(new Session(options));
  PortChoice choice;
  choice.port = options.port.value_or("");
  choice.virtualTime = options.virtualTime;
  choice.record = options.traceFile.has_value();
  choice.needsPort = needsPort;
  choice.chipForNewSimFile = [&options] { return options.chip.value_or(chipNamedBySettings()); };
  s->stack_ = PortStack::build(choice, error);
  if (!s->stack_) {
    status = kExitFailed;
    return nullptr;
  }
  const bool sim = s->stack_->simulated();
  if (sim) {
    for (const std::string& fault : options.simFaults) {
      if (!applySimFault(fault, *s->stack_->chip(), *s->stack_->adapter(), error)) {
        status = kExitUsage;
        return nullptr;
      }
    }
  }
  Session* self = s.get();
  s->stack_->line().setStopHandler([self](int signal) { self->stopNow(signal); });
  s->stack_->onPortFailure([self](const std::string& text) {
    self->portFailed_ = true;
    self->host_.messageBox("Ошибка при обращении к порту.", text, MessageIcon::Error,
                           MessageButtons::Ok);
  });
  s->platform_ = makeSystemPlatform();
  s->form_ = std::make_unique<TForm1>(s->host_, *s->platform_, s->stack_->line());
  TForm1& form = *s->form_;
  s->host_.attach(&form.window);
  // A port named on the command line is the only one opened: start-up
  // must not open (and complain about) the settings file's.
  const bool portChosen = options.port && !sim && needsPort;
  form.openPort = portChosen ? nullptr : s->stack_->opener();

  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  s->chipChosen_ = options.chip.has_value() || readSettingsFile(kSettingsFileName).has_value();
  if (options.chip && *options.chip != form.profile.name) selectChipByName(form, *options.chip);
  if (portChosen) {
    form.openPort = s->stack_->opener();
    openPortNamed(form, *options.port);
  }
  if (options.calibration) form.calibrationOverride = options.calibration;
  if (!options.quiet) {
    form.onFactoryValuesRead = [](std::uint16_t calibration, std::uint8_t bg) {
      std::fprintf(stderr,
                   "Перед стиранием: калибровочное слово %04X, биты BG %d%d (запишите их на "
                   "случай потери).\n",
                   calibration, (bg >> 5) & 1, (bg >> 4) & 1);
    };
  }
  if (options.slowdown)
    selectSlowdownFactor(form.window.slowdown, form.line.timing(), *options.slowdown);
  s->host_.setProgressShown(true);
  return s;
}

void Session::beginCommand() {
  if (RecordingPort* recorder = stack_->recorder()) recorder->clear();
  commandStartNs_ = stack_->nanoseconds();
}

std::string Session::traceOf(const RecordingPort& recorder) const {
  if (wantsVcd(*options_.traceFile)) return vcdTrace(recorder.accesses(), commandStartNs_);
  return recorder.traceText(commandStartNs_);
}

void Session::stopNow(int signal) {
  host_.endProgress();
  if (RecordingPort* recorder = stack_->recorder()) {
    std::ofstream out(*options_.traceFile, std::ios::binary | std::ios::trunc);
    out << traceOf(*recorder);
  }
  std::fflush(nullptr);
  std::_Exit(128 + signal);
}

bool Session::finish(std::string& error) {
  host_.endProgress();
  if (RecordingPort* recorder = stack_->recorder()) {
    std::ofstream out(*options_.traceFile, std::ios::binary | std::ios::trunc);
    out << traceOf(*recorder);
    if (!out) {
      error = "не удалось записать файл трассировки " + *options_.traceFile;
      return false;
    }
  }
  return stack_->saveChip(error);
}

}  // namespace kalmar::cli
