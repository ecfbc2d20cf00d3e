// kalmar: the desktop programmer.
#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "app/port_stack.h"
#include "device/startup.h"
#include "link/stop_request.h"
#include "ui/desktop_options.h"
#include "ui/main_window.h"
#include "ui/qt_host.h"
#include "ui/qt_text.h"

using namespace kalmar;

namespace {

void prepareLook(QApplication& app, QTranslator& translator) {
  app.setStyle(QStyleFactory::create("Fusion"));
  QFont font = app.font();
  font.setPixelSize(11);  // the size the window's arrangement is drawn for
  app.setFont(font);
  // Qt's own dialogs (file choice) in Russian where Debian's translations are installed.
  if (translator.load(QLocale(QLocale::Russian), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&translator);
}

// SIGINT, SIGTERM, SIGHUP: in the middle of a command the line protocol puts
// the adapter idle and the process ends at once (the simulated chip file
// stays as it was); between commands the window closes as by its close box.
void watchForStopSignals(ui::MainWindow& window, LineProtocol& line) {
  catchStopSignals();
  line.setStopHandler([](int signal) { std::_Exit(128 + signal); });
  auto* watch = new QTimer(&window);
  QObject::connect(watch, &QTimer::timeout, &window, [&window] {
    if (const int signal = pendingStop()) {
      window.close();
      QCoreApplication::exit(128 + signal);
    }
  });
  watch->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const ui::DesktopOptions options = ui::parseDesktopOptions(args);
  if (options.help) {
    std::fputs(ui::desktopHelpText(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("kalmar %s\n", KALMAR_VERSION);
    return 0;
  }
  if (!options.error.empty()) {
    std::fprintf(stderr, "kalmar: %s\n%s", options.error.c_str(), ui::desktopHelpText());
    return 2;
  }

  QApplication app(argc, argv);
  QTranslator translator;
  prepareLook(app, translator);

  PortChoice choice;
  choice.port = options.port.value_or("");
  choice.virtualTime = options.virtualTime;
  choice.chipForNewSimFile = [] { return chipNamedBySettings(); };
  std::string error;
  std::unique_ptr<PortStack> stack = PortStack::build(choice, error);
  if (!stack) {
    QMessageBox::critical(nullptr, QStringLiteral("Kalmar"), ui::qs(error));
    return 1;
  }

  ui::QtHost host;
  stack->onPortFailure([&host](const std::string& text) {
    host.messageBox("Ошибка при обращении к порту.", text, MessageIcon::Error, MessageButtons::Ok);
  });
  std::unique_ptr<Platform> platform = makeSystemPlatform();
  TForm1 form(host, *platform, stack->line());
  form.openPort = stack->opener();
  const std::string suffix =
      stack->simulated() ? "   // симулятор: " + choice.port.substr(4) : std::string();
  ui::MainWindow window(form, host, suffix);
  window.onClosed = [&stack, &host] {
    std::string saveError;
    if (!stack->saveChip(saveError))
      host.messageBox("Kalmar", saveError, MessageIcon::Error, MessageButtons::Ok);
  };

  FormCreate(form);
  // Installed pages lie in share/kalmar beside the program's bin/, whatever the prefix.
  form.settings.installedDataDirectory =
      QDir(QCoreApplication::applicationDirPath() + "/../share/kalmar")
          .absolutePath()
          .toStdString();
  const bool portChosen = options.port && !isSimPort(*options.port);
  if (portChosen) form.openPort = nullptr;  // opened once the option has chosen it
  readSettingsAndStart(form);
  if (portChosen) {
    form.openPort = stack->opener();
    openPortNamed(form, *options.port);
  }
  watchForStopSignals(window, stack->line());
  window.showState();
  window.show();
  return app.exec();
}
