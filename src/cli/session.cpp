#include "cli/session.h"

#include "cli/vcd_trace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "device/chip_selection.h"
#include "device/settings_file.h"
#include "device/startup.h"
#include "device/vpp_reminder.h"
#include "files/file_io.h"
#include "link/slowdown.h"
#include "memory/data_cells.h"
#include "system/files.h"
#include "system/system_reason.h"

namespace kalmar::cli {

namespace {

bool parseHexNumber(const std::string& text, unsigned limit, unsigned& value) {
  return parseHexCell(text, value) && value <= limit;
}

// The trace file is tried before the command runs, not found unwritable
// after it changed the chip: a byte written and flushed (a full device
// refuses it); the trace itself replaces it at the end.
bool traceWritable(const std::string& path, std::string& error) {
  std::ofstream out(pathOf(path), std::ios::binary | std::ios::trunc);
  if (out) out << '\n' << std::flush;
  if (out) return true;
  error = "не удалось открыть файл трассировки «" + path + "»: " + systemReason(errno);
  return false;
}

}  // namespace

bool applySimFault(const std::string& fault, sim::SimChip& chip, sim::SimAdapter& adapter,
                   std::string& error) {
  unsigned address = 0, value = 0;
  // Cell faults name a word of the simulated chip's program memory: up to
  // 3FFh, 7FFh or FFFh by its size.
  const auto lastWord = static_cast<unsigned>(chip.traits().programWords - 1);
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
           parseHexNumber(fault.substr(6, fault.find('=') - 6), lastWord, address) &&
           parseHexNumber(fault.substr(fault.find('=') + 1), 0x3FFF, value)) {
    chip.faults.stuckCells[static_cast<std::uint16_t>(address)] = static_cast<std::uint16_t>(value);
    chip.applyStuckCells();
  } else if (fault.rfind("slow:", 0) == 0 && parseHexNumber(fault.substr(5), lastWord, address)) {
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
  if (options.traceFile && !traceWritable(*options.traceFile, error)) {
    status = kExitFailed;
    return nullptr;
  }
  PortChoice choice;
  choice.port = options.port.value_or("");
  choice.virtualTime = options.virtualTime;
  choice.pins = options.pins;
  choice.record = options.traceFile.has_value();
  choice.needsPort = needsPort;
  choice.chipForNewSimFile = [&options] { return options.chip.value_or(chipNamedBySettings()); };
  s->stack_ = PortStack::build(choice, error);
  if (!s->stack_) {
    status = kExitFailed;
    return nullptr;
  }
  // Trace times count from here until the command itself begins (a stop
  // during start-up writes its trace too).
  s->commandStartNs_ = s->stack_->nanoseconds();
  if (options.simLog && s->stack_->simulated()) s->stack_->adapter()->log().setTracing(true);
  if (!s->applyFaults(error)) {
    status = kExitUsage;
    return nullptr;
  }
  s->connectPort();
  s->startWindow(needsPort);
  s->applyOptions();
  return s;
}

bool Session::applyFaults(std::string& error) {
  if (!stack_->simulated()) return true;
  for (const std::string& fault : options_.simFaults)
    if (!applySimFault(fault, *stack_->chip(), *stack_->adapter(), error)) return false;
  return true;
}

// A stop signal and a failing port reach the session from the line.
void Session::connectPort() {
  stack_->line().setStopHandler([this](int signal) { stopNow(signal); });
  stack_->onPortFailure([this](const std::string& text) {
    portFailed_ = true;
    adapterLost_ = !stack_->adapterName().empty();
    host_.messageBox("Ошибка при обращении к порту.", text, MessageIcon::Error, MessageButtons::Ok);
    if (adapterLost_) host_.silenceBoxes();
  });
}

// The window starts as the desktop program's does, then takes the chip and
// port the options name.
void Session::startWindow(bool needsPort) {
  platform_ = makeSystemPlatform();
  form_ = std::make_unique<TForm1>(host_, *platform_, stack_->line());
  TForm1& form = *form_;
  host_.attach(&form.window);
  // A port named on the command line is the only one opened: start-up
  // must not open (and complain about) the settings file's.
  const bool portChosen = options_.port && !stack_->simulated() && needsPort;
  form.openPort = portChosen ? nullptr : stack_->opener();
  form.portNamedLater = portChosen;
  FormCreate(form);
  form.settings.simulatedPort = stack_->simulated();
  form.settings.portLibrary = stack_->portLibrary();
  readSettingsAndStart(form);
  FormActivate(form);
  chipChosen_ = options_.chip.has_value() || readSettingsFile(kSettingsFileName).has_value();
  // A command that never raises VPP needs no word about it.
  form.lowerVppReminded = !needsPort;
  if (options_.chip && *options_.chip != form.chip.profile.name)
    selectChipByName(form, *options_.chip);
  remindToLowerVpp(form);
  if (portChosen) {
    form.openPort = stack_->opener();
    openPortNamed(form, *options_.port);
  }
}

void Session::applyOptions() {
  TForm1& form = *form_;
  if (options_.calibration) form.chip.calibrationOverride = options_.calibration;
  if (!options_.quiet) {
    form.chip.onFactoryValuesRead = [](std::uint16_t calibration, std::uint8_t bg) {
      std::fprintf(stderr,
                   "Перед стиранием: калибровочное слово %04X, биты BG %d%d (запишите их на "
                   "случай потери).\n",
                   calibration, (bg >> 5) & 1, (bg >> 4) & 1);
    };
  }
  if (options_.slowdown)
    selectSlowdownFactor(form.window.slowdown, form.chip.line.timing(), *options_.slowdown);
  host_.setProgressShown(true);
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
    std::ofstream out(pathOf(*options_.traceFile), std::ios::binary | std::ios::trunc);
    out << traceOf(*recorder);
  }
  std::fflush(nullptr);
  std::_Exit(128 + signal);
}

bool Session::reportSimulator(std::string& error) {
  if (!stack_->simulated()) return true;
  const sim::SimLog& log = stack_->adapter()->log();
  for (const sim::SimEvent& event : log.events()) {
    if (event.kind == sim::EventKind::BusyCommand) continue;
    std::fprintf(stderr, "Симулятор: %s: %s\n",
                 event.kind == sim::EventKind::Violation ? "нарушение" : "предупреждение",
                 event.text.c_str());
  }
  if (!options_.quiet)
    std::fprintf(stderr,
                 "Симулятор: нарушений времени %zu, предупреждений %zu, команд во время цикла "
                 "%zu.\n",
                 log.violations(), log.warnings(), log.busyCommands());
  if (options_.simLog) {
    std::string writeError;
    if (!writeFileAtomically(*options_.simLog, log.eventsText() + log.traceText(), writeError)) {
      error = "не удалось записать журнал симулятора " + *options_.simLog + ": " + writeError;
      return false;
    }
  }
  if (log.violations() == 0) return true;
  error =
      "симулятор отметил нарушения времени: настоящий микроконтроллер мог быть записан "
      "неверно";
  return false;
}

bool Session::finish(std::string& error) {
  host_.endProgress();
  if (RecordingPort* recorder = stack_->recorder()) {
    std::ofstream out(pathOf(*options_.traceFile), std::ios::binary | std::ios::trunc);
    out << traceOf(*recorder);
    if (!out) {
      error = "не удалось записать файл трассировки " + *options_.traceFile;
      return false;
    }
  }
  return stack_->saveChip(error);
}

}  // namespace kalmar::cli
