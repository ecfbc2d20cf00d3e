// What the window on Windows costs: "Чтение PM" ("Прочитать" -> "Память
// программ", Button8Click) of a PIC16F628A holding a full 2048-word program,
// READS times in the shown Win32 window (chosen from its menu, every
// progress step showing the state and pumping the window's messages) and
// READS times on the same TForm1 over the same simulated port with a host
// that does nothing on pump, alternately. First on simulated time, where
// the chip's own pauses cost nothing and only the program's work is
// measured; then on the real clock, where the chip's pace dominates.
// Prints the wall time per read of each and the window's overhead in
// percent (target below 2%), and before them what one pump of the window
// costs and how much of it is showState and the message queue.
//
// Built with the window program and the benchmarks (-DKALMAR_BENCH=ON
// -DKALMAR_WIN32_WINDOW=ON, the MinGW toolchain); run under Wine with a
// display, for instance:
//   xvfb-run -a -s "-screen 0 1024x768x24" env WINEDEBUG=-all
//     WINEDLLOVERRIDES="mscoree=;mshtml=" wine BUILD/bench/bench_win32_window.exe [READS [REAL_READS]]
// (one command line); READS on simulated time (30), REAL_READS on the real
// clock (3, none with 0).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/port_stack.h"
#include "desktop/window_start.h"
#include "device/chip_selection.h"
#include "memory/program_read.h"
#include "support/fake_host.h"
#include "win32/window_rig.h"

namespace {

using namespace kalmar;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kWords = 2048;

// A full program in the simulated chip: every word differs from the blank one.
void fillProgram(PortStack& stack) {
  for (std::size_t i = 0; i < kWords; ++i)
    stack.chip()->program[i] = static_cast<std::uint16_t>((i * 2654435761u >> 9) & 0x3FFF);
}

bool readBack(const TForm1& form, PortStack& stack) {
  for (std::size_t i = 0; i < kWords; ++i)
    if (form.buffer.chipRead[i] != stack.chip()->program[i]) return false;
  return true;
}

struct Times {
  std::vector<double> seconds;
  bool ok = true;
  double median() const {
    std::vector<double> sorted = seconds;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  double best() const { return seconds.empty() ? 0 : *std::min_element(seconds.begin(), seconds.end()); }
};

// The window as kalmar.exe shows it, the chip chosen from its menu.
struct Window {
  explicit Window(bool virtualTime) : rig("PIC16F628A", virtualTime) {
    rig.menu({"Настройка", "Микроконтроллер", "PIC16F628A"});
    fillProgram(*rig.stack);
  }
  double read() {
    const auto start = Clock::now();
    rig.menu({"Прочитать", "Память программ"});
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ok = ok && readBack(*rig.form, *rig.stack) && rig.messages.empty();
    return seconds;
  }
  win32::WindowRig rig;
  bool ok = true;
};

// The same form and port with nothing on the screen.
struct Headless {
  explicit Headless(bool virtualTime)
      : directory(std::filesystem::temp_directory_path() /
                  ("kalmar_bench_" + std::to_string(GetCurrentProcessId()))) {
    std::filesystem::create_directories(directory);
    PortChoice choice;
    choice.port = "sim:" + (directory / "headless.chip").string();  // never saved
    choice.virtualTime = virtualTime;
    choice.chipForNewSimFile = [] { return std::string("PIC16F628A"); };
    std::string error;
    stack = PortStack::build(choice, error);
    platform = makeSystemPlatform();
    form = std::make_unique<TForm1>(host, *platform, stack->line());
    desktop::DesktopOptions options;
    options.port = choice.port;
    options.virtualTime = virtualTime;
    desktop::startWindow(*form, *stack, options, ".");
    selectChipByName(*form, "PIC16F628A");
    fillProgram(*stack);
  }
  ~Headless() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
  }
  double read() {
    const auto start = Clock::now();
    const Outcome outcome = Button8Click(*form);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ok = ok && static_cast<bool>(outcome) && readBack(*form, *stack) && host.messages.empty();
    return seconds;
  }
  std::filesystem::path directory;
  std::unique_ptr<PortStack> stack;
  kalmar::testing::FakeHost host;  // pump() only counts
  std::unique_ptr<Platform> platform;
  std::unique_ptr<TForm1> form;
  bool ok = true;
};

bool compare(const char* clock, bool virtualTime, int reads) {
  Window window(virtualTime);  // first: its fresh start-up directory serves both
  Headless headless(virtualTime);
  headless.host.defaultAnswer = MessageResult::Ok;
  Times inWindow, alone;
  headless.read();  // each once before measuring: caches, first paints
  window.read();
  for (int i = 0; i < reads; ++i) {
    alone.seconds.push_back(headless.read());
    inWindow.seconds.push_back(window.read());
  }
  const double overhead = (inWindow.median() / alone.median() - 1) * 100;
  std::printf(
      "PIC16F628A \"Чтение PM\", %s, %d reads: window %.2f ms (best %.2f), headless %.2f ms "
      "(best %.2f) per read (medians); window overhead %+.2f%% (best against best %+.2f%%, "
      "target below 2%%); %d pumps per read; %s\n",
      clock, reads, inWindow.median() * 1e3, inWindow.best() * 1e3, alone.median() * 1e3,
      alone.best() * 1e3, overhead, (inWindow.best() / alone.best() - 1) * 100,
      headless.host.pumps / (reads + 1),
      window.ok && headless.ok ? "every read matched the chip" : "READ FAILED");
  std::fflush(stdout);
  return window.ok && headless.ok;
}

// One pump of the window: showing an unchanged state, and the same with a
// progress step; showState alone, and the system's message queue alone.
void pumpCosts() {
  Window window(true);
  win32::WindowRig& rig = window.rig;
  constexpr int kPumps = 500;
  auto perPump = [](Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::micro>(b - a).count() / kPumps;
  };
  const auto t0 = Clock::now();
  for (int i = 0; i < kPumps; ++i) rig.host.pump();
  const auto t1 = Clock::now();
  for (int i = 0; i < kPumps; ++i) {
    rig.form->window.ProgressBar1 = i % 107;
    rig.host.pump();
  }
  const auto t2 = Clock::now();
  for (int i = 0; i < kPumps; ++i) rig.window->showState();
  const auto t3 = Clock::now();
  for (int i = 0; i < kPumps; ++i) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) rig.window->dispatch(message);
  }
  const auto t4 = Clock::now();
  std::printf(
      "one pump: %.1f us unchanged, %.1f us with a progress step; of it showState alone %.1f us, "
      "the empty message queue %.1f us\n",
      perPump(t0, t1), perPump(t1, t2), perPump(t2, t3), perPump(t3, t4));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const int reads = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  const int realReads = argc > 2 ? std::max(0, std::atoi(argv[2])) : 3;
  pumpCosts();
  bool ok = compare("simulated time", true, reads);
  if (realReads > 0) ok = compare("real clock", false, realReads) && ok;
  return ok ? 0 : 1;
}
