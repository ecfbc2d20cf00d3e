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
#include "app/version_text.h"
#include "device/startup.h"
#include "link/stop_request.h"
#include "desktop/options.h"
#include "desktop/window_start.h"
#include "qt/main_window.h"
#include "qt/qt_host.h"
#include "qt/qt_text.h"
#include "sim/sim_adapter.h"

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

// SIGINT, SIGTERM, SIGHUP, SIGQUIT: in the middle of a command the line protocol puts
// the adapter idle and the process ends at once (the simulated chip file
// stays as it was); between commands the chip file and the settings are
// saved as by the close box, with no box to wait on (a failure goes to
// standard error), and the process ends, whatever box was open.
void watchForStopSignals(qt::MainWindow& window, qt::QtHost& host, LineProtocol& line) {
  catchStopSignals();
  line.setStopHandler([](int signal) { std::_Exit(128 + signal); });
  auto* watch = new QTimer(&window);
  QObject::connect(watch, &QTimer::timeout, &window, [&window, &host] {
    if (takeSuspend()) suspendNow();  // between commands: the adapter is idle
    if (const int signal = pendingStop()) {
      host.tellOnStderr();
      window.closeForStop();
      std::fflush(nullptr);
      std::_Exit(128 + signal);
    }
  });
  watch->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const desktop::DesktopOptions options = desktop::parseDesktopOptions(args);
  if (!options.error.empty()) {
    std::fprintf(stderr, "kalmar: %s\nПодробнее: kalmar --help\n", options.error.c_str());
    return 2;
  }
  if (options.help) {
    std::fputs(desktop::desktopHelpText(), stdout);
    return 0;
  }
  if (options.version) {
    std::fputs(versionText("kalmar").c_str(), stdout);
    return 0;
  }

  QApplication app(argc, argv);
  // The window belongs to its launcher (the desktop entry's id).
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kalmar.Kalmar"));
  QTranslator translator;
  prepareLook(app, translator);

  std::string error;
  std::unique_ptr<PortStack> stack = PortStack::build(desktop::portChoice(options), error);
  if (!stack) {
    QMessageBox::critical(nullptr, QStringLiteral("Kalmar"), qt::qs(error));
    return 1;
  }

  qt::QtHost host;
  desktop::reportPortFailures(*stack, host);
  std::unique_ptr<Platform> platform = makeSystemPlatform();
  TForm1 form(host, *platform, stack->line());
  qt::MainWindow window(form, host, desktop::captionSuffix(*stack, options));
  desktop::saveChipAtClose(window.runner(), *stack, host);

  // Installed pages lie in share/kalmar beside the program's bin/, whatever the prefix.
  desktop::startWindow(form, *stack, options,
                       QDir(QCoreApplication::applicationDirPath() + "/../share/kalmar")
                           .absolutePath()
                           .toStdString());
  watchForStopSignals(window, host, stack->line());
  desktop::showFactoryValues(form, host);
  desktop::reportSimulator(window.runner(), host, *stack);
  window.showState();
  window.show();
  return app.exec();
}
