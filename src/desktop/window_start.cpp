#include "desktop/window_start.h"

#include <cstdio>

#include "desktop/simulator_report.h"
#include "device/adapter_choice.h"
#include "device/startup.h"
#include "device/vpp_reminder.h"
#include "sim/sim_adapter.h"

namespace kalmar::desktop {

PortChoice portChoice(const DesktopOptions& options) {
  PortChoice choice;
  choice.port = options.port.value_or("");
  choice.virtualTime = options.virtualTime;
  choice.pins = options.pins;
  choice.chipForNewSimFile = [] { return chipNamedBySettings(); };
  return choice;
}

void saveChipAtClose(CommandRunner& runner, PortStack& stack, Host& host) {
  runner.onClosed = [&stack, &host] {
    std::string error;
    if (!stack.saveChip(error)) host.messageBox("Kalmar", error, MessageIcon::Error, MessageButtons::Ok);
  };
}

std::string captionSuffix(const PortStack& stack, const DesktopOptions& options) {
  if (!stack.adapterName().empty()) return "   // адаптер: " + stack.adapterName();
  if (!stack.simulated() || !options.port) return {};
  return "   // симулятор: " + options.port->substr(4);
}

void startWindow(TForm1& form, PortStack& stack, const DesktopOptions& options,
                 const std::string& installedPages) {
  form.openPort = stack.opener();
  FormCreate(form);
  form.settings.simulatedPort = stack.simulated();
  form.settings.portLibrary = stack.portLibrary();
  // A port named on the command line is told about whatever was chosen before.
  form.settings.withoutParallelPort =
      !options.port && rememberedAdapter(form.platform) == kChoiceParallelPort;
  form.settings.installedDataDirectory = installedPages;
  const bool portChosen = options.port && !isSimPort(*options.port);
  if (portChosen) {  // opened once the option has chosen it
    form.openPort = nullptr;
    form.portNamedLater = true;
  }
  readSettingsAndStart(form);
  if (portChosen) {
    form.openPort = stack.opener();
    openPortNamed(form, *options.port);
  }
  remindToLowerVpp(form);
}

void reportSimulator(CommandRunner& runner, Host& host, PortStack& stack) {
  if (!stack.simulated()) return;
  runner.afterCommand = [&host, &stack] {
    sim::SimLog& log = stack.adapter()->log();
    const std::string text = simulatorFindings(log);
    const bool violation = log.violations() > 0;
    log.clear();
    if (!text.empty())
      host.messageBox("Симулятор", text, violation ? MessageIcon::Error : MessageIcon::Warning,
                      MessageButtons::Ok);
  };
}

void showFactoryValues(TForm1& form, Host& host) {
  form.chip.onFactoryValuesRead = [&form, &host](std::uint16_t calibration, std::uint8_t bg) {
    const std::string text = factoryValuesText(calibration, bg);
    std::fprintf(stderr, "kalmar: перед стиранием: %s\n", text.c_str());
    form.window.StatusBar2 = text;
    host.pump();
  };
}

void reportPortFailures(PortStack& stack, Host& host) {
  stack.onPortFailure([&host](const std::string& text) {
    host.messageBox("Ошибка при обращении к порту.", text, MessageIcon::Error, MessageButtons::Ok);
  });
}

}  // namespace kalmar::desktop
