// What the window costs: "Чтение PM" of a PIC16F628A (2048 words) on the
// simulated adapter with the real clock, once in the desktop window (Qt's
// offscreen platform: every progress step shows the state and repaints) and
// once in the headless window, alternately; the best of each. Then the time
// from process start to the window's first painted frame.
#include <unistd.h>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/port_stack.h"
#include "device/chip_selection.h"
#include "device/startup.h"
#include "memory/program_read.h"
#include "qt/main_window.h"
#include "support/fake_host.h"
#include "support/fake_platform.h"

namespace {

using namespace kalmar;
using Clock = std::chrono::steady_clock;

std::unique_ptr<PortStack> simulatedChip(const std::string& directory) {
  PortChoice choice;
  choice.port = "sim:" + directory + "/bench.chip";  // never saved: a fresh chip every run
  choice.chipForNewSimFile = [] { return std::string("PIC16F628A"); };
  std::string error;
  return PortStack::build(choice, error);
}

void startAs628a(TForm1& form) {
  FormCreate(form);
  readSettingsAndStart(form);
  FormActivate(form);
  selectChipByName(form, "PIC16F628A");
}

double readSeconds(TForm1& form) {
  const auto start = Clock::now();
  Button8Click(form);
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double headlessRead(testing::FakePlatform& platform) {
  auto stack = simulatedChip(platform.directory);
  testing::FakeHost host;
  TForm1 form(host, platform, stack->line());
  startAs628a(form);
  return readSeconds(form);
}

// The desktop window over a fresh simulated PIC16F628A, started as the
// program starts it.
struct DesktopWindow {
  explicit DesktopWindow(testing::FakePlatform& platform)
      : stack(simulatedChip(platform.directory)),
        form(host, platform, stack->line()),
        window(form, host, "") {}
  void show() {
    startAs628a(form);
    window.showState();
    window.show();
    QApplication::processEvents();
  }

  std::unique_ptr<PortStack> stack;
  qt::QtHost host;
  TForm1 form;
  qt::MainWindow window;
};

double windowRead(testing::FakePlatform& platform) {
  DesktopWindow desktop(platform);
  desktop.show();
  return readSeconds(desktop.form);
}

// One pump of the window: showing an unchanged state and letting Qt run,
// and the same with a progress step to repaint.
void pumpCosts(testing::FakePlatform& platform) {
  DesktopWindow desktop(platform);
  desktop.show();
  constexpr int kPumps = 10000;
  const auto t0 = Clock::now();
  for (int i = 0; i < kPumps; ++i) desktop.host.pump();
  const auto t1 = Clock::now();
  for (int i = 0; i < kPumps; ++i) {
    desktop.form.window.ProgressBar1 = i % 107;
    desktop.host.pump();
  }
  const auto t2 = Clock::now();
  std::printf("one pump: %.1f us unchanged, %.1f us with a progress step\n",
              std::chrono::duration<double, std::micro>(t1 - t0).count() / kPumps,
              std::chrono::duration<double, std::micro>(t2 - t1).count() / kPumps);
}

// Process start, as the kernel counts it, in seconds since boot.
double processStartSinceBoot() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22 && fields >> field; ++i) {
  }
  return std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double secondsSinceBoot() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct FirstFrame : QObject {
  double at = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && at == 0) at = secondsSinceBoot();
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const double mainEntered = secondsSinceBoot();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  testing::FakePlatform platform;
  platform.directory = "/tmp";
  platform.realFiles = false;

  {
    // The first frame of a window built as the program builds it.
    DesktopWindow desktop(platform);
    FirstFrame frame;
    desktop.window.installEventFilter(&frame);
    desktop.show();
    while (frame.at == 0) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf(
        "first frame: %.0f ms after process start (10 ms resolution), %.1f ms after main()\n",
        (frame.at - processStartSinceBoot()) * 1000, (frame.at - mainEntered) * 1000);
  }

  double bestWindow = 1e9, bestHeadless = 1e9;
  for (int round = 0; round < 3; ++round) {
    bestHeadless = std::min(bestHeadless, headlessRead(platform));
    bestWindow = std::min(bestWindow, windowRead(platform));
  }
  std::printf(
      "PIC16F628A \"Чтение PM\": %.3f s in the window, %.3f s headless, ratio %.4f (target below "
      "1.02)\n",
      bestWindow, bestHeadless, bestWindow / bestHeadless);
  pumpCosts(platform);
  return 0;
}
